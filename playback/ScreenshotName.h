#pragma once
// The file a screenshot is saved in: named by what plays (its title line,
// name and episode) and the time in it, in the user's pictures folder.
#include <string>

namespace ruvo {

// "某剧-第3集 00-12-34.png": characters no file system or desktop takes in
// a name become "_"; at most 80 characters before the time.
std::string ScreenshotFileName(const std::string& title, int seconds);

// A path in `folder` for `name` that holds no file yet: "name.png", then
// "name (2).png" and so on; "" when none is free.
std::string FreeScreenshotPath(const std::string& folder, const std::string& name);

}  // namespace ruvo
