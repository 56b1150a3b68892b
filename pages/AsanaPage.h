#pragma once

#include "pages/RichPage.h"

// Where an asana page puts its picture: picYoga on the main window.
class AsanaPictureBox {
public:
    virtual ~AsanaPictureBox() = default;
    // Shows the picture at this 1-based position of the image list.
    virtual void showPicture(int position) = 0;
};

namespace modYogasana {

// Shows one asana: its picture and its page. A name that matches no asana changes nothing.
void ShowAsanaPage(const QString &sanskritName, RichPage &page, AsanaPictureBox &picture);

} // namespace modYogasana
