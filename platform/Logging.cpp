#include "platform/Logging.h"

Q_LOGGING_CATEGORY(lcTavrello, "tavrello")
