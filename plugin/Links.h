// The maker's web pages and the user manual, opened with the user's default
// application through the host ("open").
#pragma once

#include <string>

#include "sdk/SPTypes.h"

namespace plugin {

// The maker's web address, as shown in menus and the About dialog.
std::string MakerWebAddress();
// The address of a page of the maker's site: the request carries the source
// word (where the user asked: "menu", "about") and the page key; some pages
// have a path of their own.  Link keys of the menu map to page keys
// ("tutorialmovies" asks for "tutorialvideos"); any other key is passed on
// as the page key of a general request.
std::string MakerPageAddress(const std::string& source, const std::string& linkKey);
// The outside training site's page for the help menu's item.
std::string TrainingSiteAddress();

// Opens a web address or file with the shell's "open"; a refusal is thrown.
void OpenWithShell(const std::string& target);
// Opens "Corvane User Manual.pdf" beside the plug-in's module; nothing when
// the module or its path cannot be obtained.
void OpenUserManual(SPPluginRef plugin);

}  // namespace plugin
