// Every string id that the program's own code loads exists in the string
// table: the sources are scanned for the loads, and a named id is resolved
// to the number it is defined with (res/StringIds.h names them).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "res/StringTable.h"

namespace {
namespace fs = std::filesystem;

std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<std::pair<std::string, std::string>> ProgramSources() {
  // The names first: a name defined twice resolves to its first definition.
  std::vector<std::pair<std::string, std::string>> files = {
      {"res/StringIds.h", ReadAll(fs::path(KX2_SOURCE_DIR) / "res/StringIds.h")}};
  for (const char* dir : {"app", "settings", "link", "ui", "tools"}) {
    fs::path root = fs::path(KX2_SOURCE_DIR) / dir;
    if (!fs::exists(root)) continue;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
      auto ext = e.path().extension();
      if (e.is_regular_file() && (ext == ".cpp" || ext == ".h")) {
        files.emplace_back(e.path().lexically_relative(KX2_SOURCE_DIR).string(), ReadAll(e.path()));
      }
    }
  }
  return files;
}
}  // namespace

TEST(StringTable, HoldsEveryIdTheProgramLoads) {
  auto files = ProgramSources();
  ASSERT_FALSE(files.empty());
  // Named ids: "kStrSomething = 400" or "kSomething{400}" anywhere in the sources.
  std::map<std::string, unsigned> named;
  std::regex definition(R"(\b(k[A-Za-z0-9_]*)\s*(?:=\s*|\{\s*)(\d+)\b)");
  for (const auto& [path, text] : files) {
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
      if (line.find('k') == std::string::npos) continue;
      for (std::sregex_iterator it(line.begin(), line.end(), definition), end; it != end; ++it) {
        named.emplace((*it)[1].str(), static_cast<unsigned>(std::stoul((*it)[2].str())));
      }
    }
  }
  std::regex load(R"(\b(?:LoadString|FindString|LoadStringAsInt)\(\s*([A-Za-z_][A-Za-z0-9_:]*|\d+)\s*\))");
  std::set<std::string> missing;
  int checked = 0;
  for (const auto& [path, text] : files) {
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
      if (line.find("String") == std::string::npos) continue;
      for (std::sregex_iterator it(line.begin(), line.end(), load), end; it != end; ++it) {
        std::string arg = (*it)[1].str();
        unsigned id;
        if (std::isdigit(static_cast<unsigned char>(arg[0]))) {
          id = static_cast<unsigned>(std::stoul(arg));
        } else {
          std::string name = arg.substr(arg.rfind(':') == std::string::npos ? 0 : arg.rfind(':') + 1);
          auto n = named.find(name);
          if (n == named.end()) continue;  // a variable: its value is not in the text
          id = n->second;
        }
        ++checked;
        if (!res::FindString(id)) missing.insert(path + ": " + arg + " = " + std::to_string(id));
      }
    }
  }
  EXPECT_GT(checked, 0);
  for (const std::string& m : missing) ADD_FAILURE() << "string id not in the table: " << m;
}
