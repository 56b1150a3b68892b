#pragma once

#include <QLoggingCategory>

// Warnings for every fallback the platform takes; the user sees nothing of them.
Q_DECLARE_LOGGING_CATEGORY(lcPlatform)
