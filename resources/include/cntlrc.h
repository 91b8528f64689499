// Resource numbers of the library's resource module "cntlrc.drx".
#pragma once

#define IDS_REGKEY_CREATE_FAILED 204   // shown when a registry key cannot be created

// A menu for tests of the framework and the demo.
#define IDR_FRAMEWORK_PROBE 2200
// A string with printf arguments, for tests of formatting from resources.
#define IDS_FRAMEWORK_FORMAT_PROBE 2300
