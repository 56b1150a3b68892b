#include "platform/Logging.h"

Q_LOGGING_CATEGORY(lcPlatform, "tavrello.platform", QtWarningMsg)
