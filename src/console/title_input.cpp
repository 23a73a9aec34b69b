// Companion of KernGraf: the title screen and the questions for a character or a number.
#include <QFile>

#include <algorithm>
#include <climits>
#include <string_view>
#include <vector>

#include "console_state.h"
#include "kern_graf.h"
#include "number_text.h"
#include "text_codec.h"

namespace {

// Hands out a file's lines one at a time, so a huge file is never split as a whole.
class TLineReader {
 public:
  explicit TLineReader(std::string_view contents) : contents_(contents) {}

  bool Next(std::string& line) {
    if (position_ >= contents_.size()) return false;
    std::size_t end = contents_.find('\n', position_);
    std::size_t stop = end == std::string_view::npos ? contents_.size() : end + 1;
    SplitLines(contents_.substr(position_, stop - position_), chunk_);
    line = chunk_.empty() ? std::string() : chunk_.front();
    position_ = stop;
    return true;
  }

  // The number of lines not yet handed out.
  long long CountRest() const {
    std::string_view rest = contents_.substr(std::min(position_, contents_.size()));
    long long count = std::count(rest.begin(), rest.end(), '\n');
    if (!rest.empty() && rest.back() != '\n') ++count;
    return count;
  }

 private:
  std::string_view contents_;
  std::size_t position_ = 0;
  std::vector<std::string> chunk_;
};

// A line as text, cut far beyond any screen width so that a binary file's endless "line"
// costs nothing to measure and draw.
std::string TitleText(const std::string& bytes) {
  std::string text = DecodeFileText(bytes);
  std::size_t keep = 4 * static_cast<std::size_t>(std::max(KernGraf.ScreenWidth, 1)) + 16;
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
    if (++characters > keep) {
      text.resize(i);
      break;
    }
  }
  return text;
}

int ClampToInt(long long value) {
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

}  // namespace

void ShowTitleFile(const std::string& name, const std::string& font, const std::string& version,
                   int colour) {
  if (!FilePresent(name)) return;
  QFile file(ToQString(name));
  QByteArray copy;
  std::string_view contents;
  if (file.open(QIODevice::ReadOnly)) {
    qint64 size = file.size();
    uchar* mapped = size > 0 ? file.map(0, size) : nullptr;
    if (mapped) {
      contents = std::string_view(reinterpret_cast<const char*>(mapped),
                                  static_cast<std::size_t>(size));
    } else {
      copy = file.readAll();
      contents = std::string_view(copy.constData(), static_cast<std::size_t>(copy.size()));
    }
  }

  SetCursor(0, 2 * LineHeight());
  TLineReader lines(contents);
  std::string line;
  if (!lines.Next(line)) return;
  SelectFont(font, 16, 1);
  SetTextAlign(1, 0);
  long long y = 2LL * LineHeight();
  DrawText(MaxX() / 2, ClampToInt(y), TitleText(line), colour);

  if (!lines.Next(line)) return;
  y += LineHeight();
  DrawText(MaxX() / 2, ClampToInt(y), TitleText(line), colour);
  SelectFont(font, 12, 0);
  y += LineHeight();
  DrawText(MaxX() / 2, ClampToInt(y), "(Version: " + version + ")", colour);
  SetCursor(0, ClampToInt(y + LineHeight()));
  SetTextAlign(0, 0);

  // Body lines from the left edge; once they pass the bottom of the window only the
  // cursor moves on.
  while (y - LineHeight() < KernGraf.ScreenHeight && lines.Next(line)) {
    y += LineHeight();
    DrawText(0, ClampToInt(y), TitleText(line), colour);
    SetCursor(0, ClampToInt(y + LineHeight()));
  }
  long long hidden = lines.CountRest();
  if (hidden > 0) {
    y += hidden * LineHeight();
    SetCursor(0, ClampToInt(y + LineHeight()));
  }
}

void AskChar(const std::string& prompt, std::string& character) {
  std::string text = character;
  AskText(prompt, text);
  // An emptied field keeps the previous character; otherwise the last one typed counts.
  if (!text.empty()) character = LastUtf8Char(text);
}

void AskInteger(const std::string& prompt, std::string& text, int32_t& value) {
  for (;;) {
    AskText(prompt, text);
    int32_t position = 0;
    TextToInteger(text, value, position);
    if (position == 0) return;
    WriteText(std::string(1, '\x07'));
    SystemBeep();
  }
}

void AskFloat(const std::string& prompt, std::string& text, long double& value) {
  for (;;) {
    AskText(prompt, text);
    std::string number = text;
    std::replace(number.begin(), number.end(), ',', '.');
    int32_t position = 0;
    TextToFloat(number, value, position);
    if (position == 0) return;
    WriteText(std::string(1, '\x07'));
    SystemBeep();
  }
}
