// A stand-in copier library: only its version resource matters to the tests.
extern "C" __declspec(dllexport) int OrbixTestVersion() { return 3; }
