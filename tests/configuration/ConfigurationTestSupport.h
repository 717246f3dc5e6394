#pragma once
// What the configuration tests share: the live configuration as start-up
// prepares it, and the text of the settings file a first save must write.
#include <memory>
#include <string>

#include "configuration/CConfigurations.h"

namespace TolvTest {

// The defaults plus the two built-in exclusions the main window adds before loading.
std::unique_ptr<Configuration::CConfigurations> MakeStartupConfiguration();

// "[General]" followed by the given "key=value" lines, as the profile functions write them.
std::wstring GeneralSection(const std::wstring& lines);

// The keys and values of a first save of the start-up configuration, one "key=value" per line.
std::wstring DefaultFileLines();

} // namespace TolvTest
