// Resource numbers of the library's resource module "cntlrc.drx".
#pragma once

#define IDS_REGKEY_CREATE_FAILED 204   // shown when a registry key cannot be created

// A small menu the framework's tests load from this module.
#define IDR_FRAMEWORK_PROBE 2200
#define ID_PROBE_OPEN 2201
#define ID_PROBE_GRID 2202
#define ID_PROBE_SNAP 2203
#define ID_PROBE_EXIT 2204
