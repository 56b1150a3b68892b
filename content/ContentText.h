#pragma once

#include <QString>

// One text of data/texts (without its final line break); empty if there is no such text.
QString ContentText(const QString &name);
