#pragma once

struct ProgramState;
class MessageService;
class PrintService;

// Printing the composed picture and the lattice sheet, one page each, on the printer the
// user confirms in the system print dialog. Both end silently on any failure, a cancelled
// dialog included, except a confirmed job that could not be completed, which is reported
// through the messages; a document already begun is abandoned, never left open.
namespace module1
{

// Picture3 (printSize 0) or Picture11 (1) at its natural size at the top-left of the
// printable area, on the paper and orientation of printPaper and printOrientation.
void PrintPicture(ProgramState &state, PrintService &printer, MessageService &messages);

// Picture4 on A4 landscape (printOrientation 0) or Picture40 on A4 portrait (1), at its
// natural width and stretched down to the sheet height the print dialog left.
void PrintLatticeSheet(ProgramState &state, PrintService &printer, MessageService &messages);

} // namespace module1
