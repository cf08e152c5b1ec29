// qexheadlines: the vendor's tool that writes the news window's headline file.
//
//   qexheadlines <description.txt> <headlines.db>
//
// The description is plain text, one directive a line. A line starting with "#" is a comment
// and blank lines are ignored. A directive is a keyword, one blank, and its value:
//
//   version <stamp>                      the control record's stamp (default 1.15.01.05)
//   advert <image>|<click>|<hint>        one advert of the banner, in order
//   gallery-caption <text>               the picture's author, shown under it
//   gallery-hint <text>                  the picture's tooltip
//   gallery-links <author>|<picture>|<image URL>
//   lead-headline <text>                 the lead story's headline
//   lead-link <caption>|<URL>            the lead story's link
//   lead-body <text>                     the lead story's body; more lines are joined by CR LF
//   headline <headline>|<URL>|<summary>  one headline row, in order; the summary may hold "|"
//
// Any line the program would not read back as written (an unknown keyword, a missing part, a
// headline over 255 bytes, a byte that scrambles to a zero) stops the tool with exit code 1
// and a message naming the line; nothing is written then.
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "online/headlinewriter.h"
#include "scan/signatures.h"

namespace {

struct Failure {
  std::string message;
};

// The parts of value split at its first (parts - 1) bars.
std::vector<std::string> splitBars(const std::string& value, size_t parts, const std::string& form) {
  std::vector<std::string> out;
  size_t start = 0;
  while (out.size() + 1 < parts) {
    const size_t bar = value.find('|', start);
    if (bar == std::string::npos) throw Failure{"expected " + form};
    out.push_back(value.substr(start, bar - start));
    start = bar + 1;
  }
  out.push_back(value.substr(start));
  return out;
}

class Description {
 public:
  void apply(const std::string& keyword, const std::string& value) {
    if (keyword == "version") {
      set(records_[0].text1, value, true);
    } else if (keyword == "advert") {
      splitBars(value, 3, "image|click|hint");
      set(records_[0].text3, records_[0].text3 + value + "\n", false);
    } else if (keyword == "gallery-caption") {
      set(records_[1].text1, value, true);
    } else if (keyword == "gallery-hint") {
      set(records_[1].text2, value, false);
    } else if (keyword == "gallery-links") {
      splitBars(value, 3, "author|picture|image URL");
      set(records_[1].text3, value, false);
    } else if (keyword == "lead-headline") {
      set(records_[2].text1, value, true);
    } else if (keyword == "lead-link") {
      // The window takes the URL after the last bar and the caption before it: one bar only.
      if (splitBars(value, 2, "caption|URL")[1].find('|') != std::string::npos)
        throw Failure{"expected caption|URL with a single bar"};
      set(records_[2].text2, value, false);
    } else if (keyword == "lead-body") {
      const std::string& body = records_[2].text3;
      set(records_[2].text3, body.empty() ? value : body + "\r\n" + value, false);
    } else if (keyword == "headline") {
      const auto parts = splitBars(value, 3, "headline|URL|summary");
      online::HeadlineRecord row;
      set(row.text1, parts[0], true);
      set(row.text2, parts[1], false);
      set(row.text3, parts[2], false);
      records_.push_back(row);
    } else {
      throw Failure{"unknown keyword \"" + keyword + "\""};
    }
  }

  std::string bytes() const { return online::encodeHeadlines(records_); }

 private:
  static void set(std::string& field, const std::string& text, bool firstField) {
    if (auto problem = online::headlineTextProblem(text, firstField)) throw Failure{"the text " + *problem};
    field = text;
  }

  std::vector<online::HeadlineRecord> records_{{"1.15.01.05", "", ""}, {}, {}};
};

std::optional<std::string> readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

int fail(const std::string& message) {
  std::cerr << "qexheadlines: " << message << "\n";
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: qexheadlines <description.txt> <headlines.db>\n";
    return 2;
  }
  const std::string source = argv[1], target = argv[2];
  const auto text = readAll(source);
  if (!text) return fail("cannot read " + source);
  Description description;
  const auto lines = scan::splitLines(*text);
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.empty() || line[0] == '#') continue;
    const size_t blank = line.find(' ');
    try {
      description.apply(line.substr(0, blank), blank == std::string::npos ? "" : line.substr(blank + 1));
    } catch (const Failure& failure) {
      return fail(source + ":" + std::to_string(i + 1) + ": " + failure.message);
    }
  }
  const std::string bytes = description.bytes();
  if (bytes.size() > online::kMaxHeadlineFile)
    return fail("the headline file would be larger than " + std::to_string(online::kMaxHeadlineFile / 1024) +
                " KB, which the news window refuses");
  std::ofstream out(target, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) return fail("cannot write " + target);
  return 0;
}
