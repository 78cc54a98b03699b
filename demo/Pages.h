#pragma once
// The demo portal's pages (UTF-8 HTML), each with the links the program
// expects of the portal.
#include <string>

namespace demo {

// `host` is the "127.0.0.1:PORT" the request came to; media addresses use it.
std::string HomePage();
std::string SidePage();
std::string TitlePage(int id);  // empty when the title does not exist
std::string SearchPage(const std::string& word, const std::string& host);
std::string PlayPage();
std::string TvPage(const std::string& query);
std::string StatsPage(const std::string& identity);
std::string AdPage(const std::string& name);  // "qvodad", "gun", "fudong", "tui"; empty otherwise
std::string HelpPage();
std::string NotFoundPage();

// The address of a media file as the portal hands it out.
std::string MediaAddress(const std::string& host, const std::string& file);

}  // namespace demo
