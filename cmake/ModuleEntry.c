// The smallest entry point: these modules exist for their resources.
int __stdcall ModuleEntry(void* module, unsigned reason, void* reserved) { return 1; }
