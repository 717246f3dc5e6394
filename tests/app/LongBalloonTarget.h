#pragma once
// A program with a long path and a window with a long title, and settings that
// switch for it with every balloon line on: the balloon that must shorten.
#include <string>

namespace TolvTest { namespace LongBalloonTarget {

constexpr wchar_t kClassName[] = L"TolvLongBalloonTarget";
constexpr wchar_t kFolders[] = L"Orvane Sample Software\\Document Workspace Suite 2026\\Enterprise Edition\\"
                               L"Application Files\\x64\\Release";
constexpr wchar_t kFileName[] = L"DocumentWorkspaceEditor.exe";
constexpr wchar_t kWindowTitle[] =
    L"【共有】2026年度 第3四半期 営業報告書 (最終版・改訂2) - 営業部 - Document Workspace Editor 2026";

inline std::wstring Settings()
{
    return std::wstring(L"[General]\r\n"
                        L"Version=1.00\r\n"
                        L"Ime.Count=1\r\n"
                        L"Ime[0].Name=日本語入力\r\n"
                        L"Ime[0].SendKeys.Count=3\r\nIme[0].SendKeys[0]=18\r\nIme[0].SendKeys[1]=16\r\n"
                        L"Ime[0].SendKeys[2]=49\r\n"
                        L"ImeSwitcher.Type=ST_SENDINPUT_SHIFTFIRST\r\n"
                        L"ImeSwitcher.Processed=PP_NONE\r\n"
                        L"Application.Count=1\r\n"
                        L"Application[0].Match=MT_CLASSNAME\r\n"
                        L"Application[0].Expression=") +
           kClassName +
           L"\r\nApplication[0].ImeNumber=0\r\n"
           L"Notify.Use=true\r\nNotify.ProcessId=true\r\nNotify.SubSystem=true\r\nNotify.ExcuteFileName=true\r\n"
           L"Notify.ExcuteFullPath=true\r\nNotify.WindowHandle=true\r\nNotify.ClassName=true\r\n"
           L"Notify.WindowText=true\r\n";
}

}} // namespace TolvTest::LongBalloonTarget
