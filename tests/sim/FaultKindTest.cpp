// The fault table against what follows it: the scenario parser, the help
// text and the README's list of kinds.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "sim/FaultKind.h"
#include "sim/FaultPlan.h"

namespace sim {
namespace {

TEST(FaultKinds, EachKindOnceAndParserHelpAndReadmeFollowTheTable) {
  std::ifstream in(KX2_README);
  std::ostringstream readme;
  readme << in.rdbuf();
  ASSERT_FALSE(readme.str().empty());
  std::set<std::string> helpForms;
  std::istringstream help(FaultKindHelp(""));
  for (std::string line; std::getline(help, line);) helpForms.insert(line.substr(0, line.find(' ')));
  std::set<FaultKind> kinds;
  std::set<std::string_view> names;
  for (const FaultKindInfo& k : kFaultKinds) {
    const std::string name(k.name);
    const std::string form = k.number.empty() ? name : name + "=" + std::string(k.number);
    SCOPED_TRACE(form);
    EXPECT_TRUE(kinds.insert(k.kind).second);
    EXPECT_TRUE(names.insert(k.name).second);
    std::string error;
    const auto parsed = FaultPlan::Parse(k.number.empty() ? name : name + "=7", &error);
    ASSERT_TRUE(parsed) << error;
    EXPECT_EQ(parsed->kind, k.kind);
    EXPECT_FALSE(FaultPlan::Parse(k.number.empty() ? name + "=7" : name, &error));
    EXPECT_EQ(helpForms.count(form), 1u);
    EXPECT_NE(readme.str().find("`" + form + "`"), std::string::npos);
  }
}

}  // namespace
}  // namespace sim
