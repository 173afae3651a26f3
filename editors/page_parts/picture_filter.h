#pragma once
// The file dialog's filter of the pages that take pictures (the files page, the
// background page): all the picture kinds a card shows, then each kind alone.

#include <QString>

// "All pictures(*.bmp;...) (*.bmp *.BMP ...);;BMP(*.bmp) (*.bmp *.BMP);;...": each entry
// with its patterns in both letter cases, since names here are case-sensitive; the first
// entry's name from the language file.
QString PictureFileFilter();
