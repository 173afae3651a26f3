#pragma once
// The most text a rich-text page keeps, and the longest stretch of it without a place
// to break a line, for every way text comes in: an RTF or plain-text file opened, a
// paste or a drop. Without them one long line freezes the editor: Qt lays out a line
// in a time that grows with the square of its unbroken length (250,000 characters
// took 6 s, a million 101 s).
//
// - A page renders at most MaxTextPages pages, and at most kMaxAreaFrames (65535)
//   however small the area: the text is held to 16 characters (UTF-16 units) on each
//   of them, a line of a 16-dot font across a 256-dot area, about a million in all.
//   More is never shown on a card.
// - A stretch of kMaxUnbrokenRun units where no line may break gets a line break
//   (kLineBreak) after each kMaxUnbrokenRun units. A line on a card ends far sooner
//   (1024 characters of the smallest legible font are wider than the widest screen
//   shows), so only the line that ends there moves; a million units then lay out in
//   about half a second.

#include <QString>
#include <QStringView>

#include "render/text/rich_paragraph.h"
#include "render/text/rtf_render.h"

constexpr qsizetype kMaxRichTextUnits = qsizetype{kMaxAreaFrames} * 16;
constexpr qsizetype kMaxUnbrokenRun = 1024;

// The paragraphs within `room` units (each paragraph mark but the last counts one),
// cut at the end and never inside a surrogate pair, with long stretches broken (the
// breaks added do not count). True when text was cut off.
bool BoundParagraphs(RichParagraphs& paragraphs, qsizetype room = kMaxRichTextUnits);

// Plain text ('\n' ends a paragraph and counts one) bounded the same way; *cut, when
// given, tells whether text was cut off.
QString BoundedPlainText(QStringView text, qsizetype room = kMaxRichTextUnits, bool* cut = nullptr);
