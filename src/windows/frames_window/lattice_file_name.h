#pragma once

#include <QString>

// The name the composed picture is saved under: the chosen name when it ends in .png or
// .bmp (any case), otherwise the chosen name with ".bmp" added, so the name always says
// the format written.
QString framesPictureFileName(const QString &chosen);

// The lattice sheet's file beside the picture: "walk.png" -> "walk_格子.png".
QString latticeFileName(const QString &picturePath);
