#pragma once
// The files a flash background plays from: the folder "Temp/<guid>/" with a copy of
// the background's movie "<number + 1>.fbk" from "Data/flashback/" and "back.xml",
// the parameters the movie reads at run time.

#include <QString>

// "Data/flashback/0.fbk": the template of every back.xml.
QString FlashBackgroundTemplatePath();
// "Data/flashback/<number + 1>.fbk": the movie of built-in background number (0 and
// up) that each background item plays from a copy.
QString FlashBackgroundSourcePath(int number);
// "Temp/<guid>/": the folder of one background item; empty when guid is not a GUID
// text.
QString FlashBackgroundFolder(const QString& guid);
// "Temp/<guid>/<number + 1>.fbk": the movie copy; empty when guid is not a GUID text.
QString FlashBackgroundMoviePath(int number, const QString& guid);

// Prepares the background number (0 and up) of the item guid for an area of
// width x height pixels: makes its folder, copies the movie unless the folder holds
// it already, and writes back.xml anew from the template: under its PropertyData
// root the elements Movie.Width and Movie.Height, then the parameters of the
// number. back.xml is replaced whole, so it holds the current values only. 1 when
// done; 0 when guid is not a GUID text, the number is negative, the folder or the
// movie copy cannot be made, the template cannot be read or has no PropertyData, or
// back.xml cannot be written (which then stays as it was).
int PrepareFlashBackground(int number, const QString& guid, int width, int height);
