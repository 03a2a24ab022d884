#pragma once

#include <QStringList>

class form1;

// Loads the pictures named on the command line into picture 1 and picture 2, each exactly
// as its load button loads a file chosen in the dialog. Returns the files that did not
// load; their slots are left as a failed load leaves them.
QStringList openCommandLinePictures(form1 &window, const QStringList &pictures);

// The same, once the window's event loop runs, so the window is up before a large picture
// is decoded. Files that did not load are named on standard error, and pictures beyond the
// second are named as not loaded.
void openCommandLinePicturesLater(form1 &window, const QStringList &pictures,
                                  const QStringList &ignored);
