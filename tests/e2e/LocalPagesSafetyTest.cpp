// The local list pages through the real engine: a page cannot read local
// files or reach other sites, and a title crafted to run script shows as text.
#include <gtest/gtest.h>

#include "config/FileSystem.h"
#include "config/TextFile.h"
#include "e2e/ProgramUnderTest.h"

namespace ruvo {
namespace {

// A synchronous request from the page: "read:N" with what came, else "blocked".
std::string RequestFrom(const std::string& url) {
    return "(function(){try{var x=new XMLHttpRequest();x.open('GET','" + url +
           "',false);x.send();return 'read:'+x.responseText.length}catch(e){return 'blocked'}})()";
}

TEST(LocalPagesSafety, ListPagesReadNothingElseAndShowCraftedTitlesAsText) {
    test::ProgramUnderTest program;
    MakeFolders(program.ProgramFolder());
    // A title that tries to run script on the watch-history page.
    const std::string crafted = "<img src=x onerror=\"document.title='pwned'\"><script>document.title='pwned'</script>";
    WriteTextFile(program.ProgramFile("date.dat"), "7|" + crafted + "|第1集|qvod|http%3A//h/a.mp4|0|1|0\r\n");
    program.Start();
    ASSERT_TRUE(program.WaitForHomePage());
    // The watch-history tab: its page loads when it first shows.
    const auto tab = program.TracedPlace("npc7");
    ASSERT_TRUE(tab && program.ClickWindow((*tab)[0] + 10, (*tab)[1] + 10));
    const auto list = program.WaitForPage("c.htm");
    ASSERT_TRUE(list);
    auto& pages = program.Pages();
    ASSERT_TRUE(program.WaitFor([&] { return pages.Evaluate(*list, "document.readyState").find("complete") != std::string::npos; },
                                std::chrono::seconds(20)));
    EXPECT_EQ(pages.Evaluate(*list, "document.title").find("pwned"), std::string::npos);
    EXPECT_NE(pages.Evaluate(*list, "document.querySelectorAll('img[src=x]').length").find("\"value\":0"),
              std::string::npos);
    EXPECT_NE(pages.Evaluate(*list, "document.body.textContent.indexOf('<img src=x') >= 0").find("true"),
              std::string::npos);
    // The page's own picture beside it still shows.
    EXPECT_TRUE(program.WaitFor([&] {
        return pages.Evaluate(*list, "(function(){var i=document.querySelector('img[src=\"i.gif\"]');"
                                     "return !!i && i.complete && i.naturalWidth>0})()").find("true") != std::string::npos;
    }, std::chrono::seconds(10)));
    // No other local file and no other site from a local page.
    EXPECT_NE(pages.Evaluate(*list, RequestFrom("file:///etc/passwd")).find("blocked"), std::string::npos);
    EXPECT_NE(pages.Evaluate(*list, RequestFrom("file://" + program.ProgramFile("config.dll"))).find("blocked"),
              std::string::npos);
    EXPECT_NE(pages.Evaluate(*list, RequestFrom(program.PortalBase())).find("blocked"), std::string::npos);
    // Nor from a portal page.
    const auto home = program.WaitForHomePage();
    EXPECT_NE(pages.Evaluate(*home, RequestFrom("file:///etc/passwd")).find("blocked"), std::string::npos);
}

}  // namespace
}  // namespace ruvo
