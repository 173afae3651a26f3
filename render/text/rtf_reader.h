#pragma once
// Reads RTF as the Windows rich-edit control wrote it (project files embed such
// files): the font and colour tables, character formats (font, size, bold, italic,
// underline, colour), paragraph alignment and line spacing, text in the code page of
// each font, Unicode characters with their fallbacks skipped, tabs, line breaks and
// the symbol words, list numbers and bullets as the paragraph's first characters,
// tables (nested ones too) as the paragraphs of their cells with each row's cell
// edges, and pictures: PNG and JPEG with their data, others as a gap of their size.
// Other destinations, objects and other binary data are skipped; a field reads as
// its result. Properties nothing renders are dropped.
//
// The paragraph mark that ends the document is dropped, as the control did, so a
// load and save never adds a paragraph. Input that does not start with "{\rtf" is
// plain text (UTF-8 when it is valid UTF-8, else the ANSI code page 936).
//
// Nothing in the input is trusted: numbers are clamped, \bin lengths bounded by the
// data, groups deeper than kMaxRtfDepth read as if flat, tables kept to
// kMaxTableDepth and kMaxRowCells, pictures to kMaxPictureSide and kMaxPictureBytes,
// and the time is linear in the input's size.

#include <QByteArrayView>

#include "render/text/rich_paragraph.h"

constexpr int kMaxRtfDepth = 1000;

// The content of data. base is the format of plain text, and gives the face of RTF
// text in a font the font table does not define.
RichParagraphs ReadRtf(QByteArrayView data, const RichCharFormat& base = {});
