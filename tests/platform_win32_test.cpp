// The user32 and kernel32 stand-in: window life, the message queue, resource
// lookup, the tick and the keys a host delivers.
#include <gtest/gtest.h>
#include <windows.h>

#define DIRECTINPUT_VERSION 0x0300
#include <dinput.h>

#include <cstring>
#include <vector>

#include "platform/faults.h"
#include "platform/headless/headless.h"
#include "platform/host_events.h"

namespace {

struct Received {
    UINT message;
    WPARAM wParam;
};
std::vector<Received> received;

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    received.push_back({message, wParam});
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

WNDCLASSEXA TestClass() {
    WNDCLASSEXA wc;
    std::memset(&wc, 0, sizeof(wc));
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = RecordingProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = "Kalvenor";
    return wc;
}

HWND MakeWindow() {
    WNDCLASSEXA wc = TestClass();
    if (RegisterClassExA(&wc) == 0) return nullptr;
    return CreateWindowExA(0, "kalvenor", "Kalvenor", WS_POPUP, 0, 0, 800, 600, NULL, NULL,
                           GetModuleHandleA(NULL), NULL);
}

int Count(UINT message) {
    int n = 0;
    for (const Received& r : received) n += r.message == message;
    return n;
}

class Win32Test : public ::testing::Test {
protected:
    void SetUp() override {
        headless::Reset();
        received.clear();
    }
    void TearDown() override { headless::Reset(); }
};

TEST_F(Win32Test, StartUpFailuresAreInjectable) {
    WNDCLASSEXA wc = TestClass();
    platform::faults::FailNext("RegisterClassExA");
    EXPECT_EQ(RegisterClassExA(&wc), 0);
    ASSERT_NE(RegisterClassExA(&wc), 0);
    platform::faults::FailNext("CreateWindowExA");
    EXPECT_EQ(CreateWindowExA(0, "Kalvenor", "", WS_POPUP, 0, 0, 1, 1, NULL, NULL, NULL, NULL),
              nullptr);
    EXPECT_NE(CreateWindowExA(0, "Kalvenor", "", WS_POPUP, 0, 0, 1, 1, NULL, NULL, NULL, NULL),
              nullptr);
}

TEST_F(Win32Test, BadClassesAndUnknownClassNamesFail) {
    WNDCLASSEXA wc = TestClass();
    wc.cbSize = 28;
    EXPECT_EQ(RegisterClassExA(&wc), 0);
    wc = TestClass();
    wc.lpfnWndProc = nullptr;
    EXPECT_EQ(RegisterClassExA(&wc), 0);
    EXPECT_EQ(RegisterClassExA(nullptr), 0);
    wc = TestClass();
    ASSERT_NE(RegisterClassExA(&wc), 0);
    EXPECT_EQ(CreateWindowExA(0, "Other", "", WS_POPUP, 0, 0, 1, 1, NULL, NULL, NULL, NULL), nullptr);
}

TEST_F(Win32Test, ShowingTheWindowHidesThePointerThroughSetCursor) {
    HWND hwnd = MakeWindow();
    ASSERT_NE(hwnd, nullptr);
    EXPECT_FALSE(headless::WindowShown());
    ShowWindow(hwnd, SW_SHOWDEFAULT);
    EXPECT_TRUE(headless::WindowShown());
    EXPECT_EQ(Count(WM_SETCURSOR), 1);
    EXPECT_TRUE(headless::PointerVisible());
    SetCursor(NULL);
    EXPECT_FALSE(headless::PointerVisible());
    EXPECT_EQ(reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd, GWLP_HINSTANCE)),
              GetModuleHandleA(NULL));
}

TEST_F(Win32Test, PeekLeavesTheMessageForGetInPostedOrder) {
    HWND hwnd = MakeWindow();
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE));
    PostMessageA(hwnd, WM_KEYDOWN, 'A', 0);
    PostMessageA(hwnd, WM_KEYUP, 'B', 0);
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE));
        EXPECT_EQ(msg.message, UINT(WM_KEYDOWN));
    }
    ASSERT_TRUE(GetMessageA(&msg, NULL, 0, 0));
    EXPECT_EQ(msg.message, UINT(WM_KEYDOWN));
    EXPECT_EQ(msg.wParam, WPARAM('A'));
    EXPECT_EQ(msg.hwnd, hwnd);
    ASSERT_TRUE(GetMessageA(&msg, NULL, 0, 0));
    EXPECT_EQ(msg.message, UINT(WM_KEYUP));
    EXPECT_EQ(msg.wParam, WPARAM('B'));
    EXPECT_FALSE(PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE));
}

TEST_F(Win32Test, QuitWaitsBehindPostedMessagesAndEndsGet) {
    HWND hwnd = MakeWindow();
    PostMessageA(hwnd, WM_KEYDOWN, 'A', 0);
    PostQuitMessage(7);
    MSG msg;
    ASSERT_TRUE(GetMessageA(&msg, NULL, 0, 0));
    EXPECT_EQ(msg.message, UINT(WM_KEYDOWN));
    ASSERT_TRUE(PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, UINT(WM_QUIT));
    EXPECT_FALSE(GetMessageA(&msg, NULL, 0, 0));
    EXPECT_EQ(msg.message, UINT(WM_QUIT));
    EXPECT_EQ(msg.wParam, WPARAM(7));
    EXPECT_FALSE(PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE));
}

TEST_F(Win32Test, CloseDestroysOnceAndQuits) {
    HWND hwnd = MakeWindow();
    ShowWindow(hwnd, SW_SHOWDEFAULT);
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
    MSG msg;
    int dispatched = 0;
    while (GetMessageA(&msg, NULL, 0, 0)) {
        DispatchMessageA(&msg);
        ++dispatched;
    }
    // The second close died with the window.
    EXPECT_EQ(dispatched, 1);
    EXPECT_EQ(Count(WM_DESTROY), 1);
    EXPECT_EQ(msg.wParam, WPARAM(0));
    EXPECT_FALSE(headless::WindowShown());
    EXPECT_FALSE(DestroyWindow(hwnd));
    EXPECT_FALSE(PostMessageA(hwnd, WM_CLOSE, 0, 0));
    EXPECT_EQ(DispatchMessageA(&msg), 0);
}

TEST_F(Win32Test, DestroyingFromWithinDestroyDoesNotRepeatIt) {
    static HWND self;
    struct Reentrant {
        static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
            received.push_back({message, wParam});
            if (message == WM_DESTROY) {
                EXPECT_FALSE(DestroyWindow(self));
            }
            return DefWindowProcA(hwnd, message, wParam, lParam);
        }
    };
    WNDCLASSEXA wc = TestClass();
    wc.lpfnWndProc = Reentrant::Proc;
    ASSERT_NE(RegisterClassExA(&wc), 0);
    self = CreateWindowExA(0, "Kalvenor", "", WS_POPUP, 0, 0, 1, 1, NULL, NULL, NULL, NULL);
    EXPECT_TRUE(DestroyWindow(self));
    EXPECT_EQ(Count(WM_DESTROY), 1);
}

TEST_F(Win32Test, DefaultProcedureIgnoresEverythingButClose) {
    HWND hwnd = MakeWindow();
    for (UINT message : {UINT(WM_KEYDOWN), UINT(WM_KEYUP), UINT(WM_CHAR), UINT(WM_PAINT)})
        EXPECT_EQ(DefWindowProcA(hwnd, message, 'A', 0), 0);
    EXPECT_EQ(Count(WM_DESTROY), 0);
    EXPECT_EQ(DefWindowProcA(hwnd, WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(Count(WM_DESTROY), 1);
}

TEST_F(Win32Test, AltFFourClosesThroughTheSystemCommandAndPlainFFourDoesNot) {
    HWND hwnd = MakeWindow();
    MSG msg;
    platform::HostKey(VK_F4, DIK_F4, true, false);
    ASSERT_TRUE(GetMessageA(&msg, NULL, 0, 0));
    EXPECT_EQ(msg.message, UINT(WM_KEYDOWN));
    DispatchMessageA(&msg);
    platform::HostKey(VK_F4, DIK_F4, false, false);
    platform::HostKey(VK_MENU, DIK_LMENU, true, false);
    platform::HostKey(VK_F4, DIK_F4, true, false);
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    const UINT expected[] = {WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYDOWN, WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY};
    ASSERT_EQ(received.size(), std::size(expected));
    for (size_t i = 0; i < received.size(); ++i) EXPECT_EQ(received[i].message, expected[i]) << i;
    EXPECT_EQ(received[4].wParam, WPARAM(SC_CLOSE));
    EXPECT_FALSE(PostMessageA(hwnd, WM_CLOSE, 0, 0));
}

TEST_F(Win32Test, HostKeysArriveAsMessagesWithTheirCodes) {
    HWND hwnd = MakeWindow();
    platform::HostKey(VK_F1, DIK_F1, true, false);
    platform::HostKey(VK_F1, DIK_F1, true, true);
    platform::HostKey(VK_F1, DIK_F1, false, false);
    platform::HostKey(VK_F10, DIK_F10, true, false);
    platform::HostClose();
    const Received expected[] = {{WM_KEYDOWN, VK_F1}, {WM_KEYDOWN, VK_F1}, {WM_KEYUP, VK_F1},
                                 {WM_SYSKEYDOWN, VK_F10}, {WM_CLOSE, 0}};
    MSG msg;
    for (const Received& want : expected) {
        ASSERT_TRUE(GetMessageA(&msg, NULL, 0, 0));
        EXPECT_EQ(msg.message, want.message);
        EXPECT_EQ(msg.wParam, want.wParam);
        EXPECT_EQ(msg.hwnd, hwnd);
    }
    EXPECT_FALSE(PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE));
}

TEST_F(Win32Test, TickMovesWhileReadAndWraps) {
    headless::SetTickStep(16);
    headless::SetTick(0xFFFFFFF0u);
    EXPECT_EQ(GetTickCount(), 0xFFFFFFF0u);
    EXPECT_EQ(GetTickCount(), 0u);
    EXPECT_EQ(GetTickCount(), 16u);
}

TEST_F(Win32Test, ScreenSizeMessageBoxAndDebugOutputGoToTheHost) {
    headless::SetScreenSize(1024, 768);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
    EXPECT_EQ(MessageBoxA(NULL, "text", "Kalvenor", MB_OK), IDOK);
    ASSERT_EQ(headless::MessageBoxes().size(), 1u);
    EXPECT_EQ(headless::MessageBoxes()[0].text, "text");
    EXPECT_EQ(headless::MessageBoxes()[0].caption, "Kalvenor");
    OutputDebugStringA("handle is null\n");
    OutputDebugStringA(nullptr);
    ASSERT_EQ(headless::DebugLines().size(), 1u);
    EXPECT_EQ(headless::DebugLines()[0], "handle is null\n");
}

TEST_F(Win32Test, FaultsCountDownAndReset) {
    platform::faults::FailNext("Lock", 2);
    EXPECT_TRUE(platform::faults::Take("Lock"));
    EXPECT_TRUE(platform::faults::Take("Lock"));
    EXPECT_FALSE(platform::faults::Take("Lock"));
    platform::faults::FailNext("Lock", 5);
    platform::faults::ResetAll();
    EXPECT_FALSE(platform::faults::Take("Lock"));
    EXPECT_FALSE(platform::faults::Take(nullptr));
}

TEST_F(Win32Test, ResourcesMatchNamesAndTypesWithoutCase) {
    HRSRC upper = FindResourceA(NULL, "SHOT", "WAV");
    ASSERT_NE(upper, nullptr);
    EXPECT_EQ(FindResourceA(NULL, "shot", "wav"), upper);
    EXPECT_EQ(FindResourceA(GetModuleHandleA(NULL), "Shot", "Wav"), upper);
    HGLOBAL loaded = LoadResource(NULL, upper);
    ASSERT_NE(loaded, nullptr);
    const auto* bytes = static_cast<const char*>(LockResource(loaded));
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(std::memcmp(bytes, "RIFF", 4), 0);
    EXPECT_GT(SizeofResource(NULL, upper), 44u);
    EXPECT_EQ(LockResource(LoadResource(NULL, upper)), bytes);
}

TEST_F(Win32Test, IntegerIdsAndMissingResources) {
    HRSRC group = FindResourceA(NULL, MAKEINTRESOURCEA(101), RT_GROUP_ICON);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(FindResourceA(NULL, "#101", MAKEINTRESOURCEA(14)), group);
    EXPECT_EQ(FindResourceA(NULL, "#101", "#14"), group);
    EXPECT_EQ(FindResourceA(NULL, "101", RT_GROUP_ICON), nullptr);
    EXPECT_EQ(FindResourceA(NULL, "SHOT", RT_BITMAP), nullptr);
    EXPECT_EQ(FindResourceA(NULL, "NOSUCH", "WAV"), nullptr);
    EXPECT_EQ(FindResourceA(NULL, nullptr, "WAV"), nullptr);
    EXPECT_EQ(LoadResource(NULL, nullptr), nullptr);
    int notAResource = 0;
    EXPECT_EQ(LockResource(&notAResource), nullptr);
    EXPECT_EQ(SizeofResource(NULL, reinterpret_cast<HRSRC>(&notAResource)), 0u);
}

TEST_F(Win32Test, IconsComeFromTheProgramsResources) {
    HINSTANCE self = GetModuleHandleA(NULL);
    EXPECT_NE(self, nullptr);
    EXPECT_EQ(GetModuleHandleA("user32.dll"), nullptr);
    EXPECT_NE(LoadIconA(self, MAKEINTRESOURCEA(101)), nullptr);
    EXPECT_EQ(LoadIconA(self, MAKEINTRESOURCEA(999)), nullptr);
    EXPECT_NE(LoadCursorA(NULL, IDC_ARROW), nullptr);
    EXPECT_NE(GetStockObject(BLACK_BRUSH), nullptr);
    uint32_t size = 0;
    const uint8_t* icon = platform::IconImage(1, &size);
    ASSERT_NE(icon, nullptr);
    EXPECT_GT(size, 40u);
    EXPECT_EQ(platform::IconImage(-1, &size), nullptr);
    EXPECT_EQ(platform::IconImage(0x10001, &size), nullptr);
}

}  // namespace
