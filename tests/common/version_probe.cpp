// A DLL that exists only for its version resource.
extern "C" __declspec(dllexport) int VersionProbe() { return 0; }
