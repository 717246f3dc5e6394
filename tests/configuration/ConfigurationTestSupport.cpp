#include "tests/configuration/ConfigurationTestSupport.h"

namespace TolvTest {

using namespace Configuration;

std::unique_ptr<CConfigurations> MakeStartupConfiguration()
{
    auto configuration = std::make_unique<CConfigurations>();
    CApplications* exclusions = configuration->GetSwitchOnArchitecture()->GetIgnoreApplications();
    exclusions->Add(std::make_unique<CApplication4SwitchOnArchitecture>(MT_FILENAME, L"tolv.exe"));
    exclusions->Add(std::make_unique<CApplication4SwitchOnArchitecture>(MT_CLASSNAME, L"Shell_TrayWnd"));
    return configuration;
}

std::wstring GeneralSection(const std::wstring& lines)
{
    std::wstring text = L"[General]\r\n";
    std::wstring::size_type start = 0;
    while (start < lines.size()) {
        const std::wstring::size_type end = lines.find(L'\n', start);
        text += lines.substr(start, end - start) + L"\r\n";
        start = end == std::wstring::npos ? lines.size() : end + 1;
    }
    return text;
}

std::wstring DefaultFileLines()
{
    return L"Version=1.00\n"
           L"Ime.Count=4\n"
           L"Ime[0].Name=IME-1\n"
           L"Ime[0].SendKeys.Count=3\n"
           L"Ime[0].SendKeys[0]=18\n"
           L"Ime[0].SendKeys[1]=16\n"
           L"Ime[0].SendKeys[2]=49\n"
           L"Ime[1].Name=IME-2\n"
           L"Ime[1].SendKeys.Count=3\n"
           L"Ime[1].SendKeys[0]=18\n"
           L"Ime[1].SendKeys[1]=16\n"
           L"Ime[1].SendKeys[2]=50\n"
           L"Ime[2].Name=IME-3\n"
           L"Ime[2].SendKeys.Count=3\n"
           L"Ime[2].SendKeys[0]=18\n"
           L"Ime[2].SendKeys[1]=16\n"
           L"Ime[2].SendKeys[2]=51\n"
           L"Ime[3].Name=IME-4\n"
           L"Ime[3].SendKeys.Count=3\n"
           L"Ime[3].SendKeys[0]=18\n"
           L"Ime[3].SendKeys[1]=16\n"
           L"Ime[3].SendKeys[2]=52\n"
           L"ImeSwitcher.Type=ST_SENDINPUT_SHIFTFIRST\n"
           L"ImeSwitcher.Processed=PP_WINDOWHANDLE\n"
           L"Application.Count=0\n"
           L"ArchitectureSwitching.Use=false\n"
           L"ArchitectureSwitching.32bit.ImeNumber=0\n"
           L"ArchitectureSwitching.64bit.ImeNumber=0\n"
           L"IgnoreApplication.Count=2\n"
           L"IgnoreApplication[0].Match=MT_FILENAME\n"
           L"IgnoreApplication[0].Expression=tolv.exe\n"
           L"IgnoreApplication[1].Match=MT_CLASSNAME\n"
           L"IgnoreApplication[1].Expression=Shell_TrayWnd\n"
           L"Notify.Use=true\n"
           L"Notify.ProcessId=true\n"
           L"Notify.SubSystem=true\n"
           L"Notify.ExcuteFileName=true\n"
           L"Notify.ExcuteFullPath=true\n"
           L"Notify.WindowHandle=true\n"
           L"Notify.ClassName=true\n"
           L"Notify.WindowText=true";
}

} // namespace TolvTest
