#pragma once
// Writes rich text as RTF that the Windows program reads: ASCII only, ANSI code page
// 936, a font table with each name in its character set's code page, a colour table
// whose entry 0 is the automatic colour, alignment, line spacing by twentieths of a
// line, font, size, bold, italic, underline and colour, Unicode text as \uN?, pictures
// with their data in hex, tables as rows of cells (nested ones as the reader reads
// them), and a \par or cell end after every paragraph, the last one included (the
// reader drops a last \par).

#include <QByteArray>

#include "render/text/rich_paragraph.h"

QByteArray WriteRtf(const RichParagraphs& paragraphs);
