// The scenario installer: started from the simulator's folder, it writes the
// crew documents and the compiled scenario there and ends.
#include "app/form1.h"

#ifdef _WIN32
#include <windows.h>
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { Form_Load(); }
#else
int main() { Form_Load(); }
#endif
