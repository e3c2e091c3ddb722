// Page assembly end to end: one page from its source to the build folder,
// nested includes and the circularity rule, bindings, unknown and
// unterminated instructions, direct files and the built-in variable names.
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <string>
#include <string_view>

#include "tests/e2e/site.h"

namespace qs::e2e {
namespace {

/// Everything after the banner (the banner ends with the first empty line).
std::string afterbanner(const std::string& out) {
  size_t end = out.find("\n\n");
  return end == std::string::npos ? out : out.substr(end + 2);
}

/// A site whose project file mysite.txt lies in the working folder work/
/// (so resolved names are the executable's folder followed by projs\...).
class EngineSite : public ::testing::Test {
 protected:
  Site s;

  /// Writes the project: root mysite, the given extra records, and one file
  /// record per page name (below projs/mysite/).
  void project(std::string_view extra, std::initializer_list<std::string_view> pages) {
    std::string text = "root(\"mysite\")";
    if (!extra.empty()) text += "," + std::string(extra);
    for (std::string_view p : pages) text += ",\r\nfile(\"mysite\\\\" + std::string(p) + "\")";
    s.write("work/mysite.txt", text);
  }
  /// A page or fragment below projs/mysite/.
  void page(std::string_view rel, std::string_view text) {
    s.write("projs/mysite/" + std::string(rel), text);
  }
  /// A fragment below projs/parts/, outside the project's own folder, so
  /// that the walk for unlisted files does not build it as a page.
  void part(std::string_view rel, std::string_view text) {
    s.write("projs/parts/" + std::string(rel), text);
  }
  RunResult build(std::string_view options = "") {
    return s.run(std::string(options) + " mysite.txt", "", "work");
  }
  std::string saved(std::string_view rel) const {
    return "Saved: " + s.win("build/mysite/" + std::string(rel)) + "\n";
  }
  std::string output(std::string_view rel) const {
    return s.read("build/mysite/" + std::string(rel));
  }
  std::string partname(std::string_view rel) const {
    return s.win("projs/parts/" + std::string(rel));
  }
  std::string circular(std::string_view rel) const {
    return "Circular logic: " + partname(rel) + " was used earlier. Cannot include it again\n";
  }
  std::string unknownin(std::string_view resolved) const {
    return "Warning: Unknown meta-instruction found in\n" + std::string(resolved) + "\n\n";
  }
  std::string pagename(std::string_view rel) const {
    return s.win("projs/mysite/" + std::string(rel));
  }
};

TEST_F(EngineSite, TypicalRun) {
  s.write("work/mysite.txt", "root(\"mysite\"),\r\nfile(\"mysite\\\\index.sd\")\r\n");
  page("index.sd", "<body>\r\n[[i(\"mysite\\\\nav.sd\")]]\r\n</body>\r\n");
  page("nav.sd", "<nav>home</nav>");
  RunResult r = build();
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(afterbanner(r.out), saved("index.html") + "Unlisted: " +
                                    s.win("build/mysite/nav.html") + " \n" + saved("nav.html"));
  EXPECT_EQ(output("index.html"), "<body>\r\n<nav>home</nav>\r\n</body>\r\n");
  // A second run keeps the first output as the backup; nav.html is now newer
  // than its source and is left alone.
  page("index.sd", "v2");
  s.touch("projs/mysite/nav.sd", -100);
  r = build();
  EXPECT_EQ(afterbanner(r.out), saved("index.html"));
  EXPECT_EQ(output("index.html"), "v2");
  EXPECT_EQ(output("index.BAK"), "<body>\r\n<nav>home</nav>\r\n</body>\r\n");
}

TEST_F(EngineSite, CircularityRule) {
  part("a.sd", "A");
  part("b.sd", R"(B[[i("parts\\c.sd")]])");
  part("c.sd", "C");
  part("n.txt", R"(N[[i("parts\\n.txt")]])");
  project(R"(directfiles([".txt"]))", {"self.sd", "twice.sd", "nested.sd", "direct.sd"});
  page("self.sd", R"(x[[i("mysite\\self.sd")]]y)");
  page("twice.sd", R"([[i("parts\\a.sd")]][[i("parts\\a.sd")]])");
  page("nested.sd", R"([[i("parts\\b.sd")]][[i("parts\\c.sd")]][[i("parts\\b.sd")]])");
  page("direct.sd", R"([[i("parts\\n.txt")]][[i("parts\\n.txt")]])");
  RunResult r = build();
  EXPECT_EQ(afterbanner(r.out),
            "Circular logic: " + pagename("self.sd") +
                " was used earlier. Cannot include it again\n" + unknownin(pagename("self.sd")) +
                saved("self.html") + saved("twice.html") + circular("b.sd") +
                unknownin(pagename("nested.sd")) + saved("nested.html") + saved("direct.html"));
  EXPECT_EQ(output("self.html"), "xi(\"mysite\\\\self.sd\")y");
  EXPECT_EQ(output("twice.html"), "AA");
  EXPECT_EQ(output("nested.html"), "BCCi(\"parts\\\\b.sd\")");
  EXPECT_EQ(output("direct.html"), R"(N[[i("parts\\n.txt")]]N[[i("parts\\n.txt")]])");
  // The refusal message goes through the quiet-aware writer.
  r = build("-q");
  EXPECT_EQ(r.out, "");
}

TEST_F(EngineSite, BindingOrder) {
  part("show.sd", R"({[[v("aa")]][[v("bb")]][[p("aa","inner")]][[v("aa")]]})");
  project("g(\"gl\",\"global\")", {"index.sd"});
  page("index.sd",
       "1:[[p(\"t\",\"A\")]][[v(\"t\")]]\n"
       "2:[[p(\"t\",\"B\")]][[v(\"t\")]]\n"
       "3:[[p(\"x\",\"1\")]][[p(\"x\",\"2\")]][[a(\"y\",\"3\")]][[v(\"x\")]]\n"
       "4:[[in(\"<\",[g(\"k\",\"1\"),g(\"k\",\"2\")])]][[v(\"k\")]]\n"
       "5:[[a(\"t\",\"C\")]][[v(\"t\")]]\n"
       "6:[[in(\"parts\\\\show.sd\",[g(\"aa\",\"X\"),g(\"bb\",\"Y\"),g(\"aa\",\"Z\")])]]"
       "[[v(\"aa\")]]\n"
       "7:[[v(\"gl\")]][[p(\"gl\",\"local\")]][[v(\"gl\")]]\n");
  RunResult r = build();
  EXPECT_EQ(afterbanner(r.out), "WARNING: Could not find value for \"aa\" in file: " +
                                    pagename("index.sd") + "\n" + saved("index.html"));
  EXPECT_EQ(output("index.html"),
            "1:A\r\n2:B\r\n3:1\r\n4:2\r\n5:B\r\n6:{XYinner}\r\n7:globallocal\r\n");
}

TEST_F(EngineSite, AppendedBindingsOnAnEmptyFrame) {
  project("", {"index.sd"});
  page("index.sd", R"([[in(">",[g("k","1"),g("k","2")])]][[v("k")]])");
  build();
  EXPECT_EQ(output("index.html"), "1");
}

TEST_F(EngineSite, UnknownAndUnterminatedInstructions) {
  project("", {"index.sd", "open.sd", "after.sd"});
  page("index.sd",
       "a[[]]b[[v (\"a\")]]c[[v(\"title\")]]d[[v(\"x\")]]e x[[a[[b]]c]]y "
       "[[p(\"q\",\"]]\")]] [[p(\"a\",\"1\"), i(\"parts\\\\missing.sd\")]][[v(\"a\")]]\n"
       "[[beg(\"\")]][[beg(\"Posts\")]]-[[end]]");
  page("open.sd", "text [[v(\"x\")");
  page("after.sd", "fine");
  RunResult r = build();
  std::string index = pagename("index.sd");
  std::string body = afterbanner(r.out);
  std::string head = unknownin(index) +
                     "WARNING: Could not find value for \"title\" in file: " + index + "\n" +
                     unknownin(index) + unknownin(index);
  EXPECT_TRUE(body.starts_with(head)) << body;
  EXPECT_NE(body.find("Either the file does not exist or I could not find the handler for:\n"),
            std::string::npos)
      << body;
  EXPECT_TRUE(body.ends_with(unknownin(index) + unknownin(index) + saved("index.html") +
                             "Could not process: mysite\\open.sd\n" + saved("after.html")))
      << body;
  EXPECT_EQ(output("index.html"),
            "abv (\"a\")cdxe xa[[bc]]y p(\"q\",\"\")]] "
            "p(\"a\",\"1\"), i(\"parts\\\\missing.sd\")1\r\nbeg(\"\"){{range Posts }}-{{end}}");
  EXPECT_FALSE(s.exists("build/mysite/open.html"));
  EXPECT_EQ(output("after.html"), "fine");
}

TEST_F(EngineSite, DirectFilesAndTheirPlaceholders) {
  part("notice.txt", "N(!.txt!)[[v(\"x\")]]");
  part("legal.txt", "L");
  project(R"(directfiles([".txt"]))", {"index.sd"});
  page("index.sd",
       "[[v(\"!.txt!\")]] !.txt! [[i(\"parts\\\\notice.txt\")]] then !.txt! "
       "[[i(\"parts\\\\legal.txt\")]] [[v(\"!.html!\")]]");
  RunResult r = build();
  EXPECT_EQ(afterbanner(r.out), saved("index.html"));
  EXPECT_EQ(output("index.html"), "notice notice N(notice)[[v(\"x\")]] then legal L !.html!");
}

TEST_F(EngineSite, BuiltInNames) {
  setenv("QS_E2E_GREETING", "hello from the environment", 1);
  setenv("QS_E2E_EMPTY", "", 1);
  project(R"(g("gy","1999"))", {"index.sd"});
  page("index.sd",
       "c=[[v(\"_c\")]]\np=[[v(\"_p\")]]\npd=[[v(\"_pd\")]]\npf=[[v(\"_pf\")]]\n"
       "env=[[v(\"QS_E2E_GREETING\")]]\nempty=[[v(\"QS_E2E_EMPTY\")]]\n"
       "date=[[v(\"_y\")]]-[[v(\"_m\")]]-[[v(\"_d\")]] [[v(\"_dw\")]]\n"
       "time=[[v(\"_hr\")]]:[[v(\"_mi\")]]:[[v(\"_sc\")]].[[v(\"_hd\")]]\n"
       "[[p(\"_y\",\"mine\")]]y=[[v(\"_y\")]]");
  RunResult r = build();
  unsetenv("QS_E2E_GREETING");
  unsetenv("QS_E2E_EMPTY");
  EXPECT_EQ(afterbanner(r.out), "WARNING: Could not find value for \"QS_E2E_EMPTY\" in file: " +
                                    pagename("index.sd") + "\n" + saved("index.html"));
  std::string work = s.win("work");
  std::string prefix = "c=" + work + "\r\np=" + work + "\\mysite.txt\r\npd=" + work +
                       "\\\r\npf=mysite.txt\r\nenv=hello from the environment\r\nempty=\r\n";
  std::string html = output("index.html");
  ASSERT_TRUE(html.starts_with(prefix)) << html;
  std::regex rest(
      "date=[12][0-9]{3}-([1-9]|1[0-2])-([1-9]|[12][0-9]|3[01]) [0-6]\r\n"
      "time=([0-9]|1[0-9]|2[0-3]):([0-9]|[1-5][0-9]):([0-9]|[1-5][0-9]|60)\\.([0-9]|[1-9][0-9])"
      "\r\ny=mine");
  EXPECT_TRUE(std::regex_match(html.substr(prefix.size()), rest)) << html;
}

TEST_F(EngineSite, ReadOnlyOutputEndsTheRunAfterTheSavedMessage) {
  project("", {"index.sd", "later.sd"});
  page("index.sd", "new");
  page("later.sd", "later");
  s.write("build/mysite/index.html", "old");
  s.setreadonly("build/mysite/index.html", true);
  RunResult r = build();
  std::string body = afterbanner(r.out);
  EXPECT_TRUE(body.starts_with(saved("index.html") + "\nPROGRAM ERROR. Module:")) << body;
  EXPECT_EQ(r.status, 7005 % 256);
  EXPECT_EQ(output("index.html"), "old");
  EXPECT_FALSE(s.exists("build/mysite/later.html"));
}

}  // namespace
}  // namespace qs::e2e
