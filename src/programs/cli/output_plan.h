#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class FileGroup;

namespace cli
{

class Progress;

// The files a command writes, in order, each written atomically by its own action. The
// first failure stops the plan; the report names the file and the system's reason, and
// then what was written and what was not.
class OutputPlan
{
  public:
    // `group` joins consecutive files of one kind (the preview frames) into one entry of
    // the report.
    void add(const QString &path, std::function<void()> write, const QString &group = QString());
    // A file written into a group: the files added one after another with the same
    // `together` name are put in place together once all of them are written, so that a
    // failure leaves all of their old files as they were.
    void addTogether(const QString &together, const QString &path,
                     std::function<void(FileGroup &)> write, const QString &group = QString());
    bool empty() const { return outputs_.empty(); }

    // True when every file was written.
    bool writeAll(Progress &progress);

  private:
    struct Output {
        QString path;
        std::function<void()> write;
        QString group;
        QString together;
        std::function<void(FileGroup &)> writeInto;
    };
    using Iterator = std::vector<Output>::const_iterator;
    static QString describe(Iterator begin, Iterator end);
    bool tell(Progress &progress, const QString &path, const QString &reason, Iterator unwritten);

    std::vector<Output> outputs_;
};

} // namespace cli
