#pragma once

#include <QLoggingCategory>

// The program's one logging category: every fallback the platform seam takes is reported here.
Q_DECLARE_LOGGING_CATEGORY(lcTavrello)
