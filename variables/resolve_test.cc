#include "variables/resolve.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <string>

#include "files/paths.h"
#include "foundation/factstore.h"

namespace qs {
namespace {

void setenvironment(const char* name, const char* value) {
#ifdef _WIN32
  _putenv_s(name, value);
#else
  setenv(name, value, 1);
#endif
}

class ResolveTest : public ::testing::Test {
 protected:
  void SetUp() override { resetfacts(); }
  void TearDown() override { resetfacts(); }
  void frame(BindingList bindings) {
    facts().currstreamfile.pushfront(Frame{"f.sd", std::move(bindings)});
  }
  void global(const std::string& name, const std::string& value) {
    facts().g.append(Global{name, value});
  }
};

TEST_F(ResolveTest, FirstBindingOfTheNameWins) {
  BindingList list{{"a", "1"}, {"b", "2"}, {"a", "3"}};
  EXPECT_EQ(fetchcorrectval(list, "a"), "1");
  EXPECT_EQ(fetchcorrectval(list, "b"), "2");
  EXPECT_EQ(fetchcorrectval(list, "A"), std::nullopt);
  EXPECT_EQ(fetchcorrectval({}, "a"), std::nullopt);
}

TEST_F(ResolveTest, FramesTopDownThenGlobalsThenBuiltins) {
  frame({{"page", "P"}, {"both", "page"}});
  frame({{"both", "inner"}, {"inc", "I"}});
  global("both", "global");
  global("glob", "G1");
  global("glob", "G2");
  global("_y", "1999");
  EXPECT_EQ(fetchfromallvars("both"), "inner");
  EXPECT_EQ(fetchfromallvars("page"), "P");
  EXPECT_EQ(fetchfromallvars("inc"), "I");
  EXPECT_EQ(fetchfromallvars("glob"), "G1");
  EXPECT_EQ(fetchfromallvars("_y"), "1999");
  EXPECT_EQ(fetchfromallvars("nothing-knows-this"), std::nullopt);
}

TEST_F(ResolveTest, TagNamesComeFirst) {
  global("@ALL", "hidden");
  global("@3", "hidden");
  global("@all", "reachable");
  global("@x", "reachable");
  facts().ct.set("left over");
  facts().ctag.set(7);
  EXPECT_EQ(fetchfromallvars("@ALL"), "[]");  // no clones
  EXPECT_EQ(facts().ctag.get(), 0);
  EXPECT_EQ(fetchfromallvars("@3"), "[]");
  EXPECT_EQ(fetchfromallvars("@-1"), "[]");
  EXPECT_EQ(fetchfromallvars("@1000000"), "[]");
  EXPECT_EQ(fetchfromallvars("@all"), "reachable");
  EXPECT_EQ(fetchfromallvars("@x"), "reachable");
}

TEST_F(ResolveTest, WorkingFolderAndProjectPath) {
  EXPECT_EQ(fetchfromallvars("_c"), workfolder());
  EXPECT_EQ(fetchfromallvars("_p"), "");
  EXPECT_EQ(fetchfromallvars("_pd"), "");
  EXPECT_EQ(fetchfromallvars("_pf"), "");
  facts().currproj.set("C:\\sites\\mysite.txt");
  EXPECT_EQ(fetchfromallvars("_p"), "C:\\sites\\mysite.txt");
  EXPECT_EQ(fetchfromallvars("_pd"), "C:\\sites\\");
  EXPECT_EQ(fetchfromallvars("_pf"), "mysite.txt");
  EXPECT_EQ(fetchfromallvars("_P"), std::nullopt);
}

TEST_F(ResolveTest, DateAndTimeAreUnpaddedNumbersInRange) {
  struct Case {
    const char* name;
    int low, high;
  };
  const Case cases[] = {{"_y", 2000, 9999}, {"_m", 1, 12},  {"_d", 1, 31},  {"_dw", 0, 6},
                        {"_hr", 0, 23},     {"_mi", 0, 59}, {"_sc", 0, 60}, {"_hd", 0, 99}};
  const std::regex decimal("0|[1-9][0-9]*");
  for (const Case& c : cases) {
    std::optional<std::string> v = fetchfromallvars(c.name);
    ASSERT_TRUE(v) << c.name;
    EXPECT_TRUE(std::regex_match(*v, decimal)) << c.name << " " << *v;
    int n = std::stoi(*v);
    EXPECT_GE(n, c.low) << c.name;
    EXPECT_LE(n, c.high) << c.name;
    EXPECT_EQ(getuniversaldvar(c.name).has_value(), true);
  }
  EXPECT_EQ(getuniversaldvar("_Y"), std::nullopt);
  EXPECT_EQ(getuniversaldvar("_c"), std::nullopt);
}

TEST_F(ResolveTest, EnvironmentComesLast) {
  setenvironment("QS_RESOLVE_SET", "from environment");
  setenvironment("QS_RESOLVE_EMPTY", "");
  setenvironment("_c", "never seen");
  setenvironment("~~", "tilde");
  EXPECT_EQ(fetchfromallvars("QS_RESOLVE_SET"), "from environment");
  EXPECT_EQ(fetchfromallvars("QS_RESOLVE_EMPTY"), std::nullopt);
  EXPECT_EQ(fetchfromallvars("QS_RESOLVE_UNSET"), std::nullopt);
  EXPECT_EQ(fetchfromallvars("_c"), workfolder());
  EXPECT_EQ(fetchfromallvars("~~"), "tilde");
  EXPECT_EQ(fetchfromallvars(""), std::nullopt);
  EXPECT_EQ(fetchfromallvars(std::string(300, 'Q')), std::nullopt);
  global("QS_RESOLVE_SET", "global");
  EXPECT_EQ(fetchfromallvars("QS_RESOLVE_SET"), "global");
}

TEST_F(ResolveTest, FileListWithEmptySpecListsGlobalsNamedEmpty) {
  EXPECT_EQ(fetchfromallvars("~<li>%</li>"), "");
}

}  // namespace
}  // namespace qs
