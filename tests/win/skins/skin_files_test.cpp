// The staged skin set as the program's own platform calls see it: the INI
// reader must take the UTF-16 files, GDI+ must open every picture and
// LoadImageW every panel bitmap.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cwchar>
#include <string>
#include <vector>

namespace {

std::wstring ModuleFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring s(path);
  return s.substr(0, s.find_last_of(L"\\/") + 1);
}

std::wstring SkinFolder() { return ModuleFolder() + L"Skins\\"; }

std::wstring IniString(const std::wstring& ini, const wchar_t* section, const wchar_t* key) {
  wchar_t buf[260] = {};
  GetPrivateProfileStringW(section, key, L"1,1,1,1,x", buf, 260, (SkinFolder() + ini).c_str());
  return buf;
}

struct Entry {
  std::wstring key;
  int x, y, w, h;
};

std::vector<Entry> Section(const std::wstring& ini, const wchar_t* section) {
  std::vector<wchar_t> buf(1 << 16);
  DWORD n = GetPrivateProfileSectionW(section, buf.data(), static_cast<DWORD>(buf.size()),
                                      (SkinFolder() + ini).c_str());
  std::vector<Entry> out;
  for (DWORD i = 0; i < n;) {
    std::wstring line(&buf[i]);
    i += static_cast<DWORD>(line.size()) + 1;
    auto eq = line.find(L'=');
    if (eq == std::wstring::npos) continue;
    Entry e{line.substr(0, eq), 0, 0, 0, 0};
    if (swscanf(line.c_str() + eq + 1, L"%d,%d,%d,%d", &e.x, &e.y, &e.w, &e.h) != 4) e.w = -1;
    out.push_back(e);
  }
  return out;
}

template <typename Fn>
Fn Bind(HMODULE lib, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(lib, name)));
}

// GDI+ flat API, bound at run time as the program binds optional pieces.
class Gdiplus {
 public:
  Gdiplus() {
    lib_ = LoadLibraryW(L"gdiplus.dll");
    if (!lib_) return;
    startup_ = Bind<StartupFn>(lib_, "GdiplusStartup");
    shutdown_ = Bind<ShutdownFn>(lib_, "GdiplusShutdown");
    from_file_ = Bind<FromFileFn>(lib_, "GdipCreateBitmapFromFile");
    width_ = Bind<SizeFn>(lib_, "GdipGetImageWidth");
    height_ = Bind<SizeFn>(lib_, "GdipGetImageHeight");
    dispose_ = Bind<DisposeFn>(lib_, "GdipDisposeImage");
    struct {
      UINT32 version = 1;
      void* callback = nullptr;
      BOOL no_thread = FALSE;
      BOOL no_codecs = FALSE;
    } input;
    if (startup_ && startup_(&token_, &input, nullptr) == 0) ok_ = true;
  }
  ~Gdiplus() {
    if (ok_) shutdown_(token_);
    if (lib_) FreeLibrary(lib_);
  }
  bool ok() const { return ok_ && from_file_ && width_ && height_ && dispose_; }

  // Width and height of a picture file, or 0 x 0 when it cannot be opened.
  SIZE Size(const std::wstring& path) const {
    void* image = nullptr;
    SIZE s{0, 0};
    if (from_file_(path.c_str(), &image) != 0 || !image) return s;
    UINT w = 0, h = 0;
    width_(image, &w);
    height_(image, &h);
    dispose_(image);
    s.cx = static_cast<LONG>(w);
    s.cy = static_cast<LONG>(h);
    return s;
  }

 private:
  using StartupFn = int(WINAPI*)(ULONG_PTR*, const void*, void*);
  using ShutdownFn = void(WINAPI*)(ULONG_PTR);
  using FromFileFn = int(WINAPI*)(const wchar_t*, void**);
  using SizeFn = int(WINAPI*)(void*, UINT*);
  using DisposeFn = int(WINAPI*)(void*);
  HMODULE lib_ = nullptr;
  ULONG_PTR token_ = 0;
  bool ok_ = false;
  StartupFn startup_ = nullptr;
  ShutdownFn shutdown_ = nullptr;
  FromFileFn from_file_ = nullptr;
  SizeFn width_ = nullptr;
  SizeFn height_ = nullptr;
  DisposeFn dispose_ = nullptr;
};

std::vector<std::wstring> FilesMatching(const wchar_t* pattern) {
  std::vector<std::wstring> out;
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((SkinFolder() + pattern).c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return out;
  do out.push_back(fd.cFileName);
  while (FindNextFileW(h, &fd));
  FindClose(h);
  return out;
}

const wchar_t* const kInis[] = {L"Main.ini", L"Composite.ini", L"Profile.ini", L"UpdateDlg.ini"};

TEST(SkinFiles, EveryWindowReadsItsPicturesAndPlacesEveryControlInsideThem) {
  Gdiplus gdip;
  ASSERT_TRUE(gdip.ok());
  for (const wchar_t* ini : kInis) {
    SCOPED_TRACE(std::string(ini, ini + wcslen(ini)));
    std::wstring main = IniString(ini, L"SCREEN", L"Main");
    std::wstring mask = IniString(ini, L"SCREEN", L"Mask");
    ASSERT_NE(main, L"1,1,1,1,x");
    SIZE bg = gdip.Size(SkinFolder() + main);
    SIZE mk = gdip.Size(SkinFolder() + mask);
    ASSERT_GT(bg.cx, 100);
    ASSERT_GT(bg.cy, 100);
    EXPECT_EQ(mk.cx, bg.cx);
    EXPECT_EQ(mk.cy, bg.cy);
    auto entries = Section(ini, L"BUTTONINFO");
    ASSERT_GE(entries.size(), 6u);
    for (const Entry& e : entries) {
      EXPECT_GT(e.w, 1) << "unreadable or empty entry";
      EXPECT_TRUE(e.x >= 0 && e.y >= 0 && e.x + e.w <= bg.cx && e.y + e.h <= bg.cy + 400)
          << "entry outside the window";
    }
  }
}

TEST(SkinFiles, MainWindowEntriesReadAsTheProgramReadsThem) {
  // Spot checks through the same call the program uses, key by key.
  EXPECT_NE(IniString(L"Main.ini", L"BUTTONINFO", L"KEY_03B"), L"1,1,1,1,x");
  EXPECT_NE(IniString(L"Main.ini", L"BUTTONINFO", L"FUNC_G9"), L"1,1,1,1,x");
  EXPECT_NE(IniString(L"Main.ini", L"BUTTONINFO2", L"DOWN_ARROW_RIGHT2"), L"1,1,1,1,x");
  EXPECT_NE(IniString(L"Composite.ini", L"BUTTONINFO", L"CONTROL_MASK"), L"1,1,1,1,x");
  EXPECT_EQ(IniString(L"Main.ini", L"BUTTONINFO", L"NO_SUCH_KEY"), L"1,1,1,1,x");
  std::wstring link = IniString(L"Main.ini", L"SCREEN", L"Link");
  EXPECT_EQ(link.rfind(L"https://", 0), 0u);
}

TEST(SkinFiles, StateCanvasesMatchTheirWindow) {
  Gdiplus gdip;
  ASSERT_TRUE(gdip.ok());
  SIZE main = gdip.Size(SkinFolder() + IniString(L"Main.ini", L"SCREEN", L"Main"));
  for (const wchar_t* name : {L"main_normal.jpg", L"main_over.jpg", L"main_down.jpg", L"main_disable.jpg",
                              L"main_color0.jpg", L"main_color1.jpg"}) {
    SIZE s = gdip.Size(SkinFolder() + name);
    EXPECT_EQ(s.cx, main.cx);
    EXPECT_EQ(s.cy, main.cy);
  }
  SIZE dlg = gdip.Size(SkinFolder() + IniString(L"Composite.ini", L"SCREEN", L"Main"));
  for (const wchar_t* name : {L"key_normal.jpg", L"macro_disable.jpg", L"macro2_down.jpg", L"media_over.jpg",
                              L"function_down.jpg"}) {
    SIZE s = gdip.Size(SkinFolder() + name);
    EXPECT_EQ(s.cx, dlg.cx);
    EXPECT_EQ(s.cy, dlg.cy);
  }
  SIZE arrow = gdip.Size(SkinFolder() + L"Arrow.jpg");
  EXPECT_GT(arrow.cx, 0);
}

TEST(SkinFiles, EveryPanelBitmapLoadsAsABitmap) {
  auto bitmaps = FilesMatching(L"*.bmp");
  ASSERT_GE(bitmaps.size(), 60u);
  using GetObjectFn = int(WINAPI*)(HANDLE, int, void*);
  using DeleteFn = BOOL(WINAPI*)(HGDIOBJ);
  HMODULE gdi = LoadLibraryW(L"gdi32.dll");
  ASSERT_NE(gdi, nullptr);
  auto get_object = Bind<GetObjectFn>(gdi, "GetObjectW");
  auto delete_object = Bind<DeleteFn>(gdi, "DeleteObject");
  for (const std::wstring& name : bitmaps) {
    HANDLE h = LoadImageW(nullptr, (SkinFolder() + name).c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    EXPECT_NE(h, nullptr) << "bitmap does not load";
    if (!h) continue;
    BITMAP bm{};
    EXPECT_EQ(get_object(h, sizeof bm, &bm), static_cast<int>(sizeof bm));
    EXPECT_GT(bm.bmWidth, 0);
    delete_object(h);
  }
  FreeLibrary(gdi);
}

}  // namespace
