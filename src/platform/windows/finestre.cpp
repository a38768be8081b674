// The installer's two windows on Windows: the waiting window "Form1" with its
// label "Attendere", and the modal message box that `errore` shows. Kept apart
// from the file functions so that the console tool imports no window DLL.
#include <windows.h>

#include <string>

#include "platform/piattaforma.h"

namespace {

constexpr wchar_t classe_attesa[] = L"valmorana_attesa";
constexpr wchar_t titolo_programma[] = L"valmorana";

// The window's measures are kept in twips, 1440 to the inch, and turned into
// pixels with the screen's resolution so that the window looks the same at
// any DPI.
constexpr int twip_per_pollice = 1440;
constexpr int larghezza_interna = 4200;
constexpr int altezza_interna = 2685;
constexpr int etichetta_sinistra = 960;
constexpr int etichetta_alto = 960;
constexpr int etichetta_larghezza = 2652;
constexpr int etichetta_altezza = 792;
constexpr int punti_carattere = 24;

int pixel(int twip, int dpi) { return MulDiv(twip, dpi, twip_per_pollice); }

// Bold 24-point "MS Sans Serif"; the font mapper gives the nearest sans-serif
// face where the system lacks it.
HFONT carattere_etichetta(int dpi_verticale) {
  return CreateFontW(-MulDiv(punti_carattere, dpi_verticale, 72), 0, 0, 0, FW_BOLD, FALSE, FALSE,
                     FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif");
}

void dipingi_etichetta(HDC dc) {
  int dpi_x = GetDeviceCaps(dc, LOGPIXELSX);
  int dpi_y = GetDeviceCaps(dc, LOGPIXELSY);
  RECT area{pixel(etichetta_sinistra, dpi_x), pixel(etichetta_alto, dpi_y),
            pixel(etichetta_sinistra + etichetta_larghezza, dpi_x),
            pixel(etichetta_alto + etichetta_altezza, dpi_y)};
  HFONT carattere = carattere_etichetta(dpi_y);
  HGDIOBJ precedente = SelectObject(dc, carattere);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  DrawTextW(dc, L"Attendere", -1, &area, DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, precedente);
  DeleteObject(carattere);
}

LRESULT CALLBACK procedura_attesa(HWND finestra, UINT messaggio, WPARAM w, LPARAM l) {
  if (messaggio == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(finestra, &ps);
    dipingi_etichetta(dc);
    EndPaint(finestra, &ps);
    return 0;
  }
  return DefWindowProcW(finestra, messaggio, w, l);
}

SIZE dimensioni_finestra(DWORD stile) {
  HDC schermo = GetDC(nullptr);
  int dpi_x = GetDeviceCaps(schermo, LOGPIXELSX);
  int dpi_y = GetDeviceCaps(schermo, LOGPIXELSY);
  ReleaseDC(nullptr, schermo);
  RECT r{0, 0, pixel(larghezza_interna, dpi_x), pixel(altezza_interna, dpi_y)};
  AdjustWindowRectEx(&r, stile, FALSE, 0);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

std::wstring da_utf8(const std::string& testo) {
  int lunghezza = MultiByteToWideChar(CP_UTF8, 0, testo.data(), static_cast<int>(testo.size()), nullptr, 0);
  std::wstring largo(static_cast<size_t>(lunghezza), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, testo.data(), static_cast<int>(testo.size()), largo.data(), lunghezza);
  return largo;
}

}  // namespace

void mostra_attesa() {
  HINSTANCE istanza = GetModuleHandleW(nullptr);
  WNDCLASSW classe{};
  classe.lpfnWndProc = procedura_attesa;
  classe.hInstance = istanza;
  classe.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  classe.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  classe.lpszClassName = classe_attesa;
  if (RegisterClassW(&classe) == 0) return;

  const DWORD stile = WS_OVERLAPPEDWINDOW;
  SIZE dimensioni = dimensioni_finestra(stile);
  HWND finestra = CreateWindowExW(0, classe_attesa, L"Form1", stile, CW_USEDEFAULT, CW_USEDEFAULT,
                                  dimensioni.cx, dimensioni.cy, nullptr, nullptr, istanza, nullptr);
  if (finestra == nullptr) return;
  ShowWindow(finestra, SW_SHOWNORMAL);
  UpdateWindow(finestra);
  // The run services the window no more after this: hand out once what is
  // already queued (activation, frame and client paints) so that the window
  // stands complete on the screen during the work.
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  GdiFlush();
}

void mostra_messaggio(const std::string& testo) {
  MessageBoxW(nullptr, da_utf8(testo).c_str(), titolo_programma, MB_OK | MB_TASKMODAL | MB_SETFOREGROUND);
}
