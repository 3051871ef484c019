// FormAbout: the ready-made about dialog: logo, title, copyright line, a home-page and an e-mail
// link, a read-only notice and "OK". Its owner is disabled while it is open, so it behaves as a
// modal dialog inside the one common message loop.
#pragma once

#include "framework/Form.h"

#include <string>

namespace VornUtility {

class Button;
class CellControl;
class FontRecord;
class Image;
class Label;
class PanelChildren;
class TextBox;

class FormAbout : public Form {
public:
    // Disables the owner at once and becomes its owned form.
    explicit FormAbout(Form* owner);
    ~FormAbout() override;

    // Creates the window and makes its client area exactly 600 x 300.
    void Create() override;
    void Shown() override;

    virtual void BuildChildren();
    virtual bool OnClosing();
    virtual void OnResized();
    virtual bool OnCharTyped(unsigned ch);
    virtual void OnKeyDown(unsigned key);
    virtual void OnKeyUp(unsigned key);
    virtual void OnButtonClick(GUIElement* button);
    virtual void OnLinkPressed(GUIElement* link, int x, int y);

    Form* owner;                          // borrowed
    FontRecord* titleFont = nullptr;      // owned, as are the fonts and children below
    FontRecord* linkFont = nullptr;
    Image* logoImage = nullptr;
    Label* titleLabel = nullptr;
    Label* copyrightLabel = nullptr;
    PanelChildren* logoPanel = nullptr;
    TextBox* noticeBox = nullptr;
    Button* okButton = nullptr;
    CellControl* homePageLink = nullptr;
    CellControl* mailLink = nullptr;

    // Inputs, set by the owner before the box is shown.
    int logoBitmapId = 0;
    int logoWidth = 0;
    int logoHeight = 0;
    std::string titleText;
    std::string copyrightText;
    std::string noticeText;
    std::string homePageUrl;

    static constexpr int ClientWidth = 600;
    static constexpr int ClientHeight = 300;
};

} // namespace VornUtility
