#pragma once
// Qt measures and draws text only inside a QGuiApplication, which owns the font
// database. The main program makes its own. For a host without any Qt application (a
// plain C program) the library starts one the first time text is needed: on the
// offscreen platform, on a thread of its own that does nothing else, kept until the
// process ends. Either way the fonts come through fontconfig and FreeType, so the
// glyphs have the same bits as inside the main program.

// Whether text can be measured and drawn here, starting the library's own application
// when the process has none. False when the process has a Qt application without a
// GUI (a QCoreApplication, which cannot be replaced), when Qt's offscreen platform
// plugin is not installed, or when no thread can be started. Any thread may call it.
bool CanDrawText();
