#include "framework/controls/FormAbout.h"

#include "framework/FontRecord.h"
#include "framework/TextHelpers.h"
#include "framework/controls/Button.h"
#include "framework/controls/CellControl.h"
#include "framework/controls/Image.h"
#include "framework/controls/Label.h"
#include "framework/controls/PanelChildren.h"
#include "framework/controls/Shell.h"
#include "framework/controls/TextBox.h"

namespace VornUtility {

namespace {

constexpr COLORREF LinkBlue = RGB(0, 0, 255);
constexpr unsigned EnterKey = 13;
constexpr unsigned EscapeKey = 27;

// The box an element belongs to: the element itself or the first FormAbout among its parents.
FormAbout* BoxOf(GUIElement* element)
{
    for (GUIElement* e = element; e; e = e->parent) {
        if (auto* box = dynamic_cast<FormAbout*>(e))
            return box;
    }
    return nullptr;
}

int ForwardCreated(GUIElement* element, HWND)
{
    if (FormAbout* box = BoxOf(element))
        box->BuildChildren();
    return 0;
}

int ForwardClose(GUIElement* element)
{
    FormAbout* box = BoxOf(element);
    return box ? box->OnClosing() : 1;
}

int ForwardResize(GUIElement* element)
{
    if (FormAbout* box = BoxOf(element))
        box->OnResized();
    return 0;
}

int ForwardKeyChar(GUIElement* element, unsigned ch)
{
    FormAbout* box = BoxOf(element);
    return box ? box->OnCharTyped(ch) : 1;
}

int ForwardKeyDown(GUIElement* element, unsigned key)
{
    if (FormAbout* box = BoxOf(element))
        box->OnKeyDown(key);
    return 0;
}

int ForwardKeyUp(GUIElement* element, unsigned key)
{
    if (FormAbout* box = BoxOf(element))
        box->OnKeyUp(key);
    return 0;
}

int ForwardButtonClick(GUIElement* element)
{
    if (FormAbout* box = BoxOf(element))
        box->OnButtonClick(element);
    return 0;
}

int ForwardLinkPressed(GUIElement* element, HWND, int x, int y)
{
    if (FormAbout* box = BoxOf(element))
        box->OnLinkPressed(element, x, y);
    return 0;
}

CellControl* MakeLink(FormAbout* box, const std::string& address, int x, int y)
{
    auto* link = new CellControl(box);
    link->SetTextColor(LinkBlue);
    link->SetTextAlign(Left);
    link->SetText(address);
    link->SetHandCursor(true);
    link->onMouseDown = &ForwardLinkPressed;
    link->SetFont(box->linkFont);
    link->Resize(150, 22);
    link->Move(x, y);
    link->onKeyChar = &ForwardKeyChar;
    link->Create();
    return link;
}

} // namespace

FormAbout::FormAbout(Form* ownerForm) : Form(ownerForm->moduleInstance, true), owner(ownerForm)
{
    topMost = false;
    font = new FontRecord("Arial", 14);
    titleFont = new FontRecord("Arial", 16);
    titleFont->bold = true;
    linkFont = new FontRecord("Arial", 16);
    linkFont->underline = true;
    modalFrame = true;
    Resize(ClientWidth, ClientHeight);
    CenterOnScreen();
    SetText("Info...");
    minimizeBox = false;
    maximizeBox = false;
    onCreated = &ForwardCreated;
    onClose = &ForwardClose;
    onResize = &ForwardResize;
    onKeyChar = &ForwardKeyChar;
    onKeyDown = &ForwardKeyDown;
    onKeyUp = &ForwardKeyUp;
    owner->Enable(false);
    owner->ownedForm = this;
}

FormAbout::~FormAbout()
{
    // Closed while still a FormAbout, so the owner is enabled again whatever destroys the box.
    if (created && windowHandle && !destroyed) {
        SendMessageW(windowHandle, WM_CLOSE, 0, 0);
        if (!destroyed)
            DestroyWindow(windowHandle);
        created = false;
    }
    // A box destroyed before it was ever shown had no window to close: give the owner back here, so
    // it is neither left disabled nor left pointing at a deleted box.
    if (owner->ownedForm == this)
        OnClosing();
    delete logoPanel;
    delete copyrightLabel;
    delete logoImage;
    delete titleLabel;
    delete noticeBox;
    delete okButton;
    delete titleFont;
    delete linkFont;
    delete font;
    font = nullptr;
    delete homePageLink;
    delete mailLink;
}

void FormAbout::Create()
{
    Form::Create();
    SetClientSize(ClientWidth, ClientHeight);
}

void FormAbout::Shown()
{
    SetClientSize(ClientWidth, ClientHeight);
}

void FormAbout::BuildChildren()
{
    int w = width;
    int h = height;
    if (created) {
        RECT client{};
        GetClientRect(windowHandle, &client);
        width = w = client.right - client.left;
        height = h = client.bottom - client.top;
    }

    logoPanel = new PanelChildren(this);
    logoPanel->Resize(logoWidth + 20, h - 20);
    logoPanel->Move(10, 10);
    logoPanel->SetBorder(true);
    logoPanel->onKeyChar = &ForwardKeyChar;
    logoPanel->Create();

    logoImage = new Image(logoPanel, logoBitmapId);
    logoImage->Resize(logoWidth, logoHeight);
    logoImage->Move(5, 5);
    logoImage->onKeyChar = &ForwardKeyChar;
    logoImage->Create();

    const int x = logoWidth + 45;
    const int textWidth = w - logoWidth - 55;

    titleLabel = new Label(this, titleText);
    titleLabel->Resize(textWidth, 25);
    titleLabel->Move(x, 10);
    titleLabel->SetFont(titleFont);
    titleLabel->onKeyChar = &ForwardKeyChar;
    titleLabel->Create();

    copyrightLabel = new Label(this, copyrightText);
    copyrightLabel->Resize(textWidth, 25);
    copyrightLabel->SetFont(font);
    copyrightLabel->Move(x, 35);
    copyrightLabel->onKeyChar = &ForwardKeyChar;
    copyrightLabel->Create();

    homePageLink = MakeLink(this, homePageUrl, x, 55);
    mailLink = MakeLink(this, ReplaceAll(homePageUrl, "http://www.", "info@"), x + 160, 55);

    noticeBox = new TextBox(this, noticeText);
    noticeBox->Resize(textWidth, h - 145);
    noticeBox->Move(x, 85);
    noticeBox->multiLine = true;
    noticeBox->readOnly = true;
    noticeBox->verticalScroll = true;
    noticeBox->onKeyChar = &ForwardKeyChar;
    noticeBox->Create();

    okButton = new Button(this, "OK");
    okButton->Resize(80, 25);
    const int buttonWidth = okButton->GetSize().cx;
    okButton->Move(textWidth / 2 + x - buttonWidth / 2, h - 50);
    okButton->onClick = &ForwardButtonClick;
    okButton->onKeyChar = &ForwardKeyChar;
    okButton->Create();
    okButton->Focus();
}

bool FormAbout::OnClosing()
{
    if (owner->ownedForm == this)
        owner->ownedForm = nullptr;
    owner->Enable(true);
    return true;
}

void FormAbout::OnResized() {}

bool FormAbout::OnCharTyped(unsigned ch)
{
    if (ch == EnterKey || ch == EscapeKey) {
        OnButtonClick(okButton);
        return false;
    }
    return true;
}

void FormAbout::OnKeyDown(unsigned) {}
void FormAbout::OnKeyUp(unsigned) {}

void FormAbout::OnButtonClick(GUIElement* button)
{
    if (button && okButton && button->id == okButton->id) {
        SendMessageW(windowHandle, WM_CLOSE, 0, 0);
        created = false;
    }
}

void FormAbout::OnLinkPressed(GUIElement* link, int, int)
{
    if (!link)
        return;
    if (homePageLink && link->id == homePageLink->id)
        OpenWithShell(homePageUrl);
    else if (mailLink && link->id == mailLink->id)
        OpenWithShell("mailto:" + mailLink->GetText());
}

} // namespace VornUtility
