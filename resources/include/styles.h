// Resource numbers of the line-style resource module "Styles.drx".
#pragma once

#define IDS_STYLE_NONE 12227    // the entry that draws nothing
#define IDS_STYLE_SOLID 12217   // the solid line
