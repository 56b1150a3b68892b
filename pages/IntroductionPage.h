#pragma once

#include "pages/RichPage.h"

// Writes the introduction page that the main window shows at start-up.
void BuildIntroductionPage(RichPage &page);
