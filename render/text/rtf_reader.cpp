#include "render/text/rtf_reader.h"

#include <QBuffer>
#include <QHash>
#include <QImageReader>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "render/raster/gdi_text.h"
#include "render/text/code_page.h"

namespace {

constexpr int kDefaultAnsiCodePage = 936;
constexpr int kDefaultCharSet = 1;  // "the ANSI code page"
constexpr int kMaxControlLetters = 32;
constexpr int kMaxParameter = 1'000'000'000;  // larger numbers are clamped
constexpr int kMaxUnicodeSkip = 16;

enum class Dest { kText, kFontTable, kColorTable, kPicture, kSkip };

enum class Word {
  kAnsiCpg,
  kDeff,
  kUc,
  kFontTable,
  kColorTable,
  kSkipGroup,
  kPlain,
  kFont,
  kFontSize,
  kBold,
  kItalic,
  kUnderline,
  kUnderlineNone,
  kColor,
  kPard,
  kPar,
  kLeft,
  kCenter,
  kRight,
  kJustify,
  kSpacing,
  kSpacingMult,
  kTab,
  kLine,
  kCell,
  kRow,
  kNestCell,
  kNestRow,
  kInTable,
  kTableLevel,
  kRowDefaults,
  kRowLeft,
  kRowGap,
  kCellEdge,
  kNestTableProps,
  kShapePicture,
  kPicture,
  kPngBlip,
  kJpegBlip,
  kPictureWidth,
  kPictureHeight,
  kPictureGoalWidth,
  kPictureGoalHeight,
  kPictureScaleX,
  kPictureScaleY,
  kUnicode,
  kCharSet,
  kRed,
  kGreen,
  kBlue,
  kSymbol,
};

struct WordInfo {
  Word word;
  char16_t symbol = 0;  // the character of a symbol word
};

const std::unordered_map<std::string_view, WordInfo>& Words() {
  static const std::unordered_map<std::string_view, WordInfo> words = {
      {"ansicpg", {Word::kAnsiCpg}},
      {"deff", {Word::kDeff}},
      {"uc", {Word::kUc}},
      {"fonttbl", {Word::kFontTable}},
      {"colortbl", {Word::kColorTable}},
      {"stylesheet", {Word::kSkipGroup}},
      {"info", {Word::kSkipGroup}},
      {"object", {Word::kSkipGroup}},
      {"fldinst", {Word::kSkipGroup}},
      {"nonshppict", {Word::kSkipGroup}},
      {"nonesttables", {Word::kSkipGroup}},
      {"header", {Word::kSkipGroup}},
      {"footer", {Word::kSkipGroup}},
      {"plain", {Word::kPlain}},
      {"f", {Word::kFont}},
      {"fs", {Word::kFontSize}},
      {"b", {Word::kBold}},
      {"i", {Word::kItalic}},
      {"ulnone", {Word::kUnderlineNone}},
      {"cf", {Word::kColor}},
      {"pard", {Word::kPard}},
      {"par", {Word::kPar}},
      {"ql", {Word::kLeft}},
      {"qc", {Word::kCenter}},
      {"qr", {Word::kRight}},
      {"qj", {Word::kJustify}},
      {"sl", {Word::kSpacing}},
      {"slmult", {Word::kSpacingMult}},
      {"tab", {Word::kTab}},
      {"line", {Word::kLine}},
      {"cell", {Word::kCell}},
      {"row", {Word::kRow}},
      {"nestcell", {Word::kNestCell}},
      {"nestrow", {Word::kNestRow}},
      {"intbl", {Word::kInTable}},
      {"itap", {Word::kTableLevel}},
      {"trowd", {Word::kRowDefaults}},
      {"trleft", {Word::kRowLeft}},
      {"trgaph", {Word::kRowGap}},
      {"cellx", {Word::kCellEdge}},
      {"nesttableprops", {Word::kNestTableProps}},
      {"shppict", {Word::kShapePicture}},
      {"pict", {Word::kPicture}},
      {"pngblip", {Word::kPngBlip}},
      {"jpegblip", {Word::kJpegBlip}},
      {"picw", {Word::kPictureWidth}},
      {"pich", {Word::kPictureHeight}},
      {"picwgoal", {Word::kPictureGoalWidth}},
      {"pichgoal", {Word::kPictureGoalHeight}},
      {"picscalex", {Word::kPictureScaleX}},
      {"picscaley", {Word::kPictureScaleY}},
      {"u", {Word::kUnicode}},
      {"fcharset", {Word::kCharSet}},
      {"red", {Word::kRed}},
      {"green", {Word::kGreen}},
      {"blue", {Word::kBlue}},
      {"emdash", {Word::kSymbol, 0x2014}},
      {"endash", {Word::kSymbol, 0x2013}},
      {"emspace", {Word::kSymbol, 0x2003}},
      {"enspace", {Word::kSymbol, 0x2002}},
      {"qmspace", {Word::kSymbol, 0x2005}},
      {"bullet", {Word::kSymbol, 0x2022}},
      {"lquote", {Word::kSymbol, 0x2018}},
      {"rquote", {Word::kSymbol, 0x2019}},
      {"ldblquote", {Word::kSymbol, 0x201C}},
      {"rdblquote", {Word::kSymbol, 0x201D}},
      {"zwj", {Word::kSymbol, 0x200D}},
      {"zwnj", {Word::kSymbol, 0x200C}},
  };
  return words;
}

// The destinations marked ignorable (\*) that are read all the same: a picture for
// readers that know pictures, and the properties of a nested table's row.
bool IsReadDestination(std::string_view name) {
  return name == "shppict" || name == "nesttableprops";
}

// Every underline kind (\ul, \uldb, \ulwave, ...) underlines; \ulc is the underline's
// colour, not a kind.
bool IsUnderlineKind(std::string_view name) {
  return name.starts_with("ul") && !name.starts_with("ulc") && name != "ulnone";
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

struct Font {
  QString face;
  int charSet = kDefaultCharSet;
};

// What a group carries and restores at its end.
struct State {
  Dest dest = Dest::kText;
  int font = -1;  // -1: the default font
  int twips = kDefaultFontTwips;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  int color = 0;
  RichAlign align = RichAlign::kLeft;
  int spacing = 0;         // \sl, twips
  int spacingMult = 0;     // \slmult
  int uc = 1;              // fallback characters after \u
  bool inTable = false;    // \intbl
  int tableLevel = 0;      // \itap
  bool nestProps = false;  // row properties here are those of a nested table
};

// A picture being read: its kind, its size words and its data, from hex digits or
// \bin.
struct PictureData {
  RichPictureKind kind = RichPictureKind::kOther;
  QByteArray data;
  int nibble = -1;  // a first hex digit waiting for its second
  bool tooLarge = false;
  int width = 0;  // \picw, \pich
  int height = 0;
  int goalWidth = 0;  // \picwgoal, \pichgoal: twips
  int goalHeight = 0;
  int scaleX = 100;  // \picscalex, \picscaley: percent
  int scaleY = 100;

  void Add(QByteArrayView bytes) {
    if (tooLarge || data.size() + bytes.size() > kMaxPictureBytes) {
      tooLarge = true;
      data.clear();
      return;
    }
    data.append(bytes);
  }
};

// Bytes in a code page and UTF-16 units, in the order they came.
class TextSink {
 public:
  void AddByte(char byte, int codePage) {
    if (codePage != codePage_) Flush();
    codePage_ = codePage;
    bytes_.append(byte);
  }
  void AddUnit(char16_t unit) {
    Flush();
    text_.append(QChar(unit));
  }
  // Decodes the bytes held, so that a double-byte character split over two \'hh
  // comes out whole.
  void Flush() {
    DecodeCodePage(bytes_, codePage_, text_);
    bytes_.clear();
  }
  QString Take() {
    Flush();
    return std::exchange(text_, QString());
  }
  bool IsEmpty() const { return bytes_.isEmpty() && text_.isEmpty(); }

 private:
  QByteArray bytes_;
  int codePage_ = 0;
  QString text_;
};

class RtfReader {
 public:
  RtfReader(QByteArrayView data, const RichCharFormat& base) : data_(data), base_(base) {}
  RichParagraphs Read();

 private:
  void OpenGroup();
  void CloseGroup();
  void ControlWord();
  void ControlSymbol(char symbol);
  void Apply(std::string_view name, bool hasParameter, int parameter);
  void Character(char byte);
  void AddUnit(char16_t unit);
  void EndIgnorable();
  bool Skipping();
  int Depth() const;
  RichRowFormat& RowFormat();
  void EndRow(int depth);
  void AddPictureHex(char byte);
  void EndPicture();
  int ReadParameter(bool* has);
  RichCharFormat CurrentFormat() const;
  int CurrentCodePage() const;
  void UpdateRunFormat();
  void EndRun();
  void EndParagraph(int depth, bool cellEnd);
  void EndFontName();
  void EndColor();

  QByteArrayView data_;
  qsizetype pos_ = 0;
  RichCharFormat base_;
  std::vector<State> stack_{State{}};
  int flatDepth_ = 0;  // groups opened beyond kMaxRtfDepth
  int ansiCodePage_ = kDefaultAnsiCodePage;
  int defaultFont_ = 0;
  QHash<int, Font> fonts_;
  int fontBeingDefined_ = 0;
  TextSink fontName_;
  std::vector<std::optional<ColorRef>> colors_;
  int red_ = -1, green_ = -1, blue_ = -1;
  int skip_ = 0;            // fallback characters of \u still to skip
  bool ignorable_ = false;  // \* came: the destination that follows is skipped unless read
  bool leftTable_ = false;  // a row has ended: the text after it is out of the table
  std::array<RichRowFormat, kMaxTableDepth + 1> rows_;  // the row properties of each depth
  PictureData picture_;
  TextSink text_;
  bool formatDirty_ = true;  // a group or control word may have changed the format
  RichCharFormat runFormat_;
  int runCodePage_ = 0;
  RichParagraph paragraph_;
  RichParagraphs paragraphs_;
};

State& Top(std::vector<State>& stack) { return stack.back(); }

RichParagraphs RtfReader::Read() {
  while (pos_ < data_.size()) {
    const char c = data_[pos_++];
    switch (c) {
      case '{': OpenGroup(); break;
      case '}': CloseGroup(); break;
      case '\\': ControlWord(); break;
      case '\r':
      case '\n': break;
      default:
        if (!Skipping()) Character(c);
    }
  }
  EndRun();
  // Text after the last paragraph mark is a paragraph of its own; the mark that ends
  // the document (nothing after it) is the mark of the last paragraph.
  if (!paragraph_.runs.empty() || paragraphs_.empty()) EndParagraph(Depth(), false);
  return std::move(paragraphs_);
}

void RtfReader::OpenGroup() {
  skip_ = 0;
  EndIgnorable();
  if (stack_.size() >= kMaxRtfDepth) {
    ++flatDepth_;
    return;
  }
  stack_.push_back(stack_.back());
}

void RtfReader::CloseGroup() {
  skip_ = 0;
  ignorable_ = false;
  if (flatDepth_ > 0) {
    --flatDepth_;
    return;
  }
  if (stack_.size() <= 1) return;  // an unbalanced brace
  const Dest dest = Top(stack_).dest;
  stack_.pop_back();
  formatDirty_ = true;
  if (dest == Dest::kFontTable && !fontName_.IsEmpty()) EndFontName();  // no ';'
  if (dest == Dest::kPicture && Top(stack_).dest != Dest::kPicture) EndPicture();
}

int RtfReader::ReadParameter(bool* has) {
  const bool negative = pos_ < data_.size() && data_[pos_] == '-';
  if (negative) ++pos_;
  long long value = 0;
  *has = false;
  while (pos_ < data_.size() && data_[pos_] >= '0' && data_[pos_] <= '9') {
    value = std::min<long long>(value * 10 + (data_[pos_++] - '0'), kMaxParameter);
    *has = true;
  }
  return static_cast<int>(negative ? -value : value);
}

void RtfReader::ControlWord() {
  if (pos_ >= data_.size()) return;
  if (!IsLetter(data_[pos_])) {
    ControlSymbol(data_[pos_++]);
    return;
  }
  const qsizetype start = pos_;
  while (pos_ < data_.size() && IsLetter(data_[pos_])) ++pos_;
  const std::string_view name(data_.data() + start, static_cast<size_t>(std::min<qsizetype>(
                                                        pos_ - start, kMaxControlLetters)));
  bool hasParameter = false;
  const int parameter = ReadParameter(&hasParameter);
  if (pos_ < data_.size() && data_[pos_] == ' ') ++pos_;
  if (name == "bin") {  // binary data: a picture's, or passed over
    const qsizetype length = std::clamp<qsizetype>(parameter, 0, data_.size() - pos_);
    if (Top(stack_).dest == Dest::kPicture) picture_.Add(data_.sliced(pos_, length));
    pos_ += length;
    return;
  }
  if (Skipping()) return;
  formatDirty_ = true;
  if (std::exchange(ignorable_, false) && !IsReadDestination(name)) {
    Top(stack_).dest = Dest::kSkip;
    return;
  }
  Apply(name, hasParameter, parameter);
}

void RtfReader::ControlSymbol(char symbol) {
  if (symbol == '\'') {  // \'hh: a byte in the current code page
    int value = 0;
    for (int digit = 0; digit < 2; ++digit, ++pos_) {
      const int nibble = pos_ < data_.size() ? HexDigit(data_[pos_]) : -1;
      if (nibble < 0) return;  // fewer than two hex digits: the escape is dropped
      value = value * 16 + nibble;
    }
    if (!Skipping()) Character(static_cast<char>(value));
    return;
  }
  if (Skipping()) return;
  if (symbol == '*') {
    ignorable_ = true;
    return;
  }
  EndIgnorable();
  switch (symbol) {
    case '\\':
    case '{':
    case '}': Character(symbol); break;
    case '~': AddUnit(0x00A0); break;
    case '_': AddUnit(0x2011); break;
    case '\r':
    case '\n': Apply("par", false, 0); break;
    default: break;  // \- (optional hyphen), \: and unknown symbols
  }
}

// What follows \* is not a control word: the destination is skipped.
void RtfReader::EndIgnorable() {
  if (std::exchange(ignorable_, false)) Top(stack_).dest = Dest::kSkip;
}

// True while the fallback characters of a \u are being passed over; each call
// passes over one.
bool RtfReader::Skipping() {
  if (skip_ == 0) return false;
  --skip_;
  return true;
}

void RtfReader::Apply(std::string_view name, bool hasParameter, int parameter) {
  State& state = Top(stack_);
  if (state.dest == Dest::kSkip) return;
  const bool on = !hasParameter || parameter != 0;
  if (IsUnderlineKind(name)) {
    state.underline = on;
    return;
  }
  const auto found = Words().find(name);
  if (found == Words().end()) return;  // a property nothing renders
  const Word word = found->second.word;
  if (state.dest == Dest::kFontTable) {
    if (word == Word::kFont) {
      fontName_.Take();
      fontBeingDefined_ = parameter;
      fonts_[parameter] = Font{};
    } else if (word == Word::kCharSet) {
      fonts_[fontBeingDefined_].charSet = std::clamp(parameter, 0, 255);
    } else if (word == Word::kUnicode) {
      fontName_.AddUnit(static_cast<char16_t>(parameter < 0 ? parameter + 65536 : parameter));
      skip_ = state.uc;
    } else if (word == Word::kSkipGroup) {
      state.dest = Dest::kSkip;
    }
    return;
  }
  if (state.dest == Dest::kColorTable) {
    const int component = std::clamp(parameter, 0, 255);
    if (word == Word::kRed) red_ = component;
    if (word == Word::kGreen) green_ = component;
    if (word == Word::kBlue) blue_ = component;
    return;
  }
  const int table = std::clamp(parameter, -kMaxTableTwips, kMaxTableTwips);
  const int size = std::clamp(parameter, 0, kMaxTableTwips);
  if (state.dest == Dest::kPicture) {
    if (word == Word::kPngBlip) picture_.kind = RichPictureKind::kPng;
    if (word == Word::kJpegBlip) picture_.kind = RichPictureKind::kJpeg;
    if (word == Word::kPictureWidth) picture_.width = size;
    if (word == Word::kPictureHeight) picture_.height = size;
    if (word == Word::kPictureGoalWidth) picture_.goalWidth = size;
    if (word == Word::kPictureGoalHeight) picture_.goalHeight = size;
    if (word == Word::kPictureScaleX) picture_.scaleX = std::clamp(parameter, 1, 1000);
    if (word == Word::kPictureScaleY) picture_.scaleY = std::clamp(parameter, 1, 1000);
    if (word == Word::kSkipGroup) state.dest = Dest::kSkip;
    return;
  }
  switch (word) {
    case Word::kAnsiCpg:
      if (parameter > 0) ansiCodePage_ = parameter;
      break;
    case Word::kDeff: defaultFont_ = parameter; break;
    case Word::kUc: state.uc = std::clamp(parameter, 0, kMaxUnicodeSkip); break;
    case Word::kFontTable: state.dest = Dest::kFontTable; break;
    case Word::kColorTable: state.dest = Dest::kColorTable; break;
    case Word::kSkipGroup: state.dest = Dest::kSkip; break;
    case Word::kPlain:
      state.font = -1;
      state.twips = kDefaultFontTwips;
      state.bold = state.italic = state.underline = false;
      state.color = 0;
      break;
    case Word::kFont: state.font = parameter; break;
    case Word::kFontSize:
      if (hasParameter) {  // half points
        state.twips = std::clamp(parameter, kMinFontTwips / 10, kMaxFontTwips / 10) * 10;
      }
      break;
    case Word::kBold: state.bold = on; break;
    case Word::kItalic: state.italic = on; break;
    case Word::kUnderlineNone: state.underline = false; break;
    case Word::kColor: state.color = parameter; break;
    case Word::kPard:
      state.align = RichAlign::kLeft;
      state.spacing = state.spacingMult = 0;
      state.inTable = false;
      state.tableLevel = 0;
      break;
    case Word::kPar: EndParagraph(Depth(), false); break;
    case Word::kLeft: state.align = RichAlign::kLeft; break;
    case Word::kCenter: state.align = RichAlign::kCenter; break;
    case Word::kRight: state.align = RichAlign::kRight; break;
    case Word::kJustify: state.align = RichAlign::kJustify; break;
    case Word::kSpacing: state.spacing = parameter; break;
    case Word::kSpacingMult: state.spacingMult = parameter; break;
    case Word::kTab: AddUnit(u'\t'); break;
    case Word::kLine: AddUnit(kLineBreak.unicode()); break;
    case Word::kCell: EndParagraph(1, true); break;
    case Word::kNestCell: EndParagraph(std::max(2, Depth()), true); break;
    case Word::kRow: EndRow(1); break;
    case Word::kNestRow: EndRow(std::max(2, Depth())); break;
    case Word::kInTable:
      state.inTable = on;
      leftTable_ = false;
      break;
    case Word::kTableLevel:
      state.tableLevel = std::clamp(parameter, 0, kMaxTableDepth);
      leftTable_ = false;
      break;
    case Word::kNestTableProps: state.nestProps = true; break;
    case Word::kRowDefaults: RowFormat() = RichRowFormat{}; break;
    case Word::kRowLeft: RowFormat().left = table; break;
    case Word::kRowGap: RowFormat().gap = size; break;
    case Word::kCellEdge:
      if (RowFormat().edges.size() < kMaxRowCells) RowFormat().edges.push_back(table);
      break;
    case Word::kPicture:
      state.dest = Dest::kPicture;
      picture_ = PictureData{};
      break;
    case Word::kUnicode:
      if (parameter >= -32768 && parameter <= 65535) {
        AddUnit(static_cast<char16_t>(parameter < 0 ? parameter + 65536 : parameter));
      }
      skip_ = state.uc;
      break;
    case Word::kSymbol: AddUnit(found->second.symbol); break;
    default: break;  // words of the tables, out of their table
  }
}

RichCharFormat RtfReader::CurrentFormat() const {
  const State& state = stack_.back();
  RichCharFormat format = base_;
  const auto font = fonts_.constFind(state.font < 0 ? defaultFont_ : state.font);
  if (font != fonts_.constEnd()) {
    format.face = BoundedFace(font->face);
    format.charSet = static_cast<std::uint8_t>(font->charSet);
  }
  format.twips = state.twips;
  format.bold = state.bold;
  format.italic = state.italic;
  format.underline = state.underline;
  const bool known = state.color > 0 && state.color < static_cast<int>(colors_.size());
  const std::optional<ColorRef> color = known ? colors_[state.color] : std::nullopt;
  format.autoColor = !color.has_value();
  format.color = color.value_or(0);
  return format;
}

int RtfReader::CurrentCodePage() const {
  const State& state = stack_.back();
  const auto font = fonts_.constFind(state.font < 0 ? defaultFont_ : state.font);
  return CodePageForCharSet(font == fonts_.constEnd() ? kDefaultCharSet : font->charSet,
                            ansiCodePage_);
}

void RtfReader::Character(char byte) {
  EndIgnorable();
  switch (Top(stack_).dest) {
    case Dest::kText:
      UpdateRunFormat();
      text_.AddByte(byte, runCodePage_);
      break;
    case Dest::kFontTable:
      if (byte == ';') {
        EndFontName();
      } else {
        fontName_.AddByte(byte,
                          CodePageForCharSet(fonts_[fontBeingDefined_].charSet, ansiCodePage_));
      }
      break;
    case Dest::kColorTable:
      if (byte == ';') EndColor();
      break;
    case Dest::kPicture: AddPictureHex(byte); break;
    case Dest::kSkip: break;
  }
}

void RtfReader::AddUnit(char16_t unit) {
  UpdateRunFormat();
  text_.AddUnit(unit);
}

int RtfReader::Depth() const {
  const State& state = stack_.back();
  if (leftTable_) return 0;
  return state.inTable ? std::max(1, state.tableLevel) : state.tableLevel;
}

// The row properties \trowd, \cellx, ... set: a nested table's inside its properties'
// group, else the outer table's.
RichRowFormat& RtfReader::RowFormat() {
  return rows_[Top(stack_).nestProps ? std::max(2, Depth()) : 1];
}

// Text after the row's last cell is a last cell of its own; the paragraph that ends
// the row's last cell carries the row's properties.
void RtfReader::EndRow(int depth) {
  EndRun();
  if (!paragraph_.runs.empty()) EndParagraph(depth, true);
  if (!paragraphs_.empty() && paragraphs_.back().cell.depth == depth &&
      paragraphs_.back().cell.cellEnd) {
    paragraphs_.back().cell.rowEnd = rows_[depth];
  }
  if (depth == 1) leftTable_ = true;
}

void RtfReader::AddPictureHex(char byte) {
  const int nibble = HexDigit(byte);
  if (nibble < 0) return;
  if (picture_.nibble < 0) {
    picture_.nibble = nibble;
    return;
  }
  const char value = static_cast<char>(picture_.nibble * 16 + nibble);
  picture_.nibble = -1;
  picture_.Add(QByteArrayView(&value, 1));
}

// The picture as a character of its own, in the format of the text around it: at its
// goal size (twips) or its own, scaled; of other kinds, or too large, a gap.
void RtfReader::EndPicture() {
  PictureData& read = picture_;
  if (read.tooLarge) read.kind = RichPictureKind::kOther;
  if (read.kind == RichPictureKind::kOther) read.data.clear();
  QSize natural(read.width, read.height);
  if (natural.isEmpty() && !read.data.isEmpty()) {
    QBuffer buffer(&read.data);
    natural = QImageReader(&buffer).size();
  }
  auto side = [](int goal, int own, int scale) {
    const std::int64_t pixels = goal > 0 ? std::int64_t{goal} * kLogPixelsY / 1440 : own;
    return static_cast<int>(std::min<std::int64_t>(pixels * scale / 100, kMaxPictureSide));
  };
  RichPicture picture{read.kind, std::move(read.data),
                      side(read.goalWidth, natural.width(), read.scaleX),
                      side(read.goalHeight, natural.height(), read.scaleY)};
  read = PictureData{};
  if (picture.width <= 0 || picture.height <= 0) return;
  EndRun();
  RichCharFormat format = CurrentFormat();
  format.picture = std::move(picture);
  paragraph_.runs.push_back({QString(QChar::ObjectReplacementCharacter), std::move(format)});
  formatDirty_ = true;
}

// Ends the run when the format has changed since its text began.
void RtfReader::UpdateRunFormat() {
  if (!formatDirty_) return;
  formatDirty_ = false;
  RichCharFormat format = CurrentFormat();
  if (!(format == runFormat_)) {
    EndRun();
    runFormat_ = std::move(format);
  }
  runCodePage_ = CurrentCodePage();
}

void RtfReader::EndRun() {
  if (text_.IsEmpty()) return;
  QString text = text_.Take();
  if (!paragraph_.runs.empty() && paragraph_.runs.back().format == runFormat_) {
    paragraph_.runs.back().text += text;
  } else {
    paragraph_.runs.push_back({std::move(text), runFormat_});
  }
}

void RtfReader::EndParagraph(int depth, bool cellEnd) {
  EndRun();
  const State& state = stack_.back();
  paragraph_.format.align = state.align;
  if (state.spacingMult == 1 && state.spacing > 0) {
    paragraph_.format.lineSpacingRule = kSpacingTwentieths;
    paragraph_.format.lineSpacing = state.spacing / 12;
  } else if (state.spacing != 0) {
    paragraph_.format.lineSpacingRule = state.spacing > 0 ? kSpacingAtLeast : kSpacingExactly;
    paragraph_.format.lineSpacing = std::abs(state.spacing);
  }
  paragraph_.mark = CurrentFormat();
  paragraph_.cell.depth = depth;
  paragraph_.cell.cellEnd = cellEnd && depth > 0;
  paragraphs_.push_back(std::exchange(paragraph_, RichParagraph{}));
}

void RtfReader::EndFontName() {
  fonts_[fontBeingDefined_].face = BoundedFace(fontName_.Take().trimmed());
}

void RtfReader::EndColor() {
  std::optional<ColorRef> color;
  if (red_ >= 0 || green_ >= 0 || blue_ >= 0) {
    color = static_cast<ColorRef>(std::max(red_, 0) | std::max(green_, 0) << 8 |
                                  std::max(blue_, 0) << 16);
  }
  colors_.push_back(color);
  red_ = green_ = blue_ = -1;
}

RichParagraphs ReadPlainText(QByteArrayView data, const RichCharFormat& base) {
  QStringDecoder utf8(QStringDecoder::Utf8);
  QString text = utf8.decode(data);
  if (utf8.hasError()) {
    text.clear();
    DecodeCodePage(data, kDefaultAnsiCodePage, text);
  }
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  text.replace(u'\r', u'\n');
  RichParagraphs paragraphs;
  for (const QString& line : text.split(u'\n')) {
    RichParagraph paragraph;
    paragraph.mark = base;
    if (!line.isEmpty()) paragraph.runs.push_back({line, base});
    paragraphs.push_back(std::move(paragraph));
  }
  return paragraphs;
}

}  // namespace

RichParagraphs ReadRtf(QByteArrayView data, const RichCharFormat& base) {
  if (!data.startsWith(QByteArrayView("{\\rtf"))) return ReadPlainText(data, base);
  return RtfReader(data, base).Read();
}
