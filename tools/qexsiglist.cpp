// qexsiglist: the vendor's tool for the scan's signature lists.
//
//   qexsiglist write <plain.txt> <list.db>   scrambles a plain list, one entry a line
//   qexsiglist print <list.db>               prints a list back as plain lines
//
// write refuses the whole list, writing nothing, when a line would not read back as it is
// (empty, longer than 255 characters, or holding a byte that would be stored as a zero or a
// line end) and exits with 1. print shows what the scan would check, and says on the error
// stream how many lines it passes over.
#include <fstream>
#include <iostream>
#include <optional>
#include <string>

#include "scan/scramble.h"
#include "scan/signatures.h"
#include "scan/signaturewriter.h"

namespace {

std::optional<std::string> readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  in.seekg(0, std::ios::end);
  const auto size = in.tellg();
  if (size < 0 || static_cast<uint64_t>(size) > scan::kMaxSignatureFile) return std::nullopt;
  in.seekg(0);
  std::string bytes(static_cast<size_t>(size), '\0');
  if (!in.read(bytes.data(), size)) return std::nullopt;
  return bytes;
}

int fail(const std::string& message) {
  std::cerr << "qexsiglist: " << message << "\n";
  return 1;
}

int write(const std::string& plainPath, const std::string& listPath) {
  const auto plain = readAll(plainPath);
  if (!plain) return fail("cannot read " + plainPath + " (missing, unreadable or over 4 MB)");
  const auto lines = scan::splitLines(*plain);
  for (size_t i = 0; i < lines.size(); ++i)
    if (auto problem = scan::signatureLineProblem(lines[i]))
      return fail(plainPath + ":" + std::to_string(i + 1) + ": the line " + *problem);
  const std::string bytes = scan::encodeSignatureList(lines);
  // CR LF after every line can make the list larger than the plain text it came from.
  if (bytes.size() > scan::kMaxSignatureFile) return fail("the list would be over 4 MB, which the scan refuses");
  std::ofstream out(listPath, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) return fail("cannot write " + listPath);
  return 0;
}

int print(const std::string& listPath) {
  const auto bytes = readAll(listPath);
  if (!bytes) return fail("cannot read " + listPath + " (missing, unreadable or over 4 MB)");
  const auto list = scan::parseSignatureList(*bytes);
  for (const auto& line : list.lines) std::cout << scan::UnscrambleText(line) << "\n";
  if (list.passedOver > 0)
    std::cerr << "qexsiglist: " << list.passedOver
              << " line(s) passed over: empty, over 255 characters, or cut by a zero\n";
  std::cout.flush();
  return std::cout ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "write" && argc == 4) return write(argv[2], argv[3]);
  if (command == "print" && argc == 3) return print(argv[2]);
  std::cerr << "usage: qexsiglist write <plain.txt> <list.db>\n"
               "       qexsiglist print <list.db>\n";
  return 2;
}
