// FormMain: what the player's commands do, the forwarding functions that bring element events to
// the form, and the two message boxes.
#include "game/FormMain.h"

#include "app/MessageLoop.h"
#include "framework/TextHelpers.h"
#include "framework/controls/Button.h"
#include "framework/controls/CellControl.h"
#include "framework/controls/FormAbout.h"
#include "framework/controls/Label.h"
#include "framework/controls/Shell.h"
#include "framework/controls/Slider.h"
#include "framework/controls/SubMenu.h"
#include "framework/controls/TextBox.h"
#include "framework/controls/Timer.h"
#include "game/GameServices.h"
#include "game/GameTexts.h"
#include "resource.h"

using namespace VornUtility;

namespace MyGame {

namespace {

constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Yellow = RGB(255, 255, 0);
constexpr unsigned TabKey = 9;
constexpr unsigned EnterKey = 13;
constexpr unsigned EscapeKey = 27;
constexpr int AboutLogoWidth = 164;
constexpr int AboutLogoHeight = 50;

FormMain* FormOf(GUIElement* element)
{
    return dynamic_cast<FormMain*>(element);
}

FormMain* ParentFormOf(GUIElement* element)
{
    return element ? dynamic_cast<FormMain*>(element->parent) : nullptr;
}

} // namespace

void ShowWarning(GUIElement* owner, const std::string& text, const std::string& caption)
{
    Services().messageBox(owner ? owner->windowHandle : nullptr, text.c_str(), caption.c_str(),
                          MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL);
}

bool AskYesNo(const std::string& text, const std::string& caption)
{
    // Every answer but Yes is a No: Escape on a Yes/No box gives IDCANCEL under some systems.
    return Services().messageBox(nullptr, text.c_str(), caption.c_str(), MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL)
        == IDYES;
}

void FormMain::OnCommand(GUIElement* element)
{
    if (!element)
        return;
    if (closeButton && element->id == closeButton->id) {
        OnMenuCommand(exitItem);
        return;
    }
    if (playButton && element->id == playButton->id) {
        int held = 0;
        for (int i = 0; i < ReelCount; ++i)
            held += IsHeld(i) ? 1 : 0;
        if (held == ReelCount) {
            ShowWarning(this, Texts::AllHeldWarning, Texts::WarningCaption);
            return;
        }
        playButton->Enable(false);
        betSlider->Enable(false);
        messageCell->SetText("");
        for (int i = 0; i < ReelCount; ++i) {
            holdCells[i]->Enable(false);
            multiplierCells[i]->SetText("");
        }
        spinning = true;
        return;
    }
    if (infoButton && element->id == infoButton->id) {
        if (aboutBox) {
            // A box that was closed is gone at once: kept to the end of the loop, every box opened
            // would hold its fonts, picture and window classes for the rest of the game. Only a box
            // still open (it can be, for a program that drives the form) waits for the end of the loop.
            if (aboutBox->destroyed || !aboutBox->windowHandle)
                delete aboutBox;
            else
                formsToDelete.push_back(aboutBox);
            aboutBox = nullptr;
        }
        aboutBox = new FormAbout(this);
        aboutBox->logoBitmapId = IDB_ABOUT_LOGO;
        aboutBox->logoWidth = AboutLogoWidth;
        aboutBox->logoHeight = AboutLogoHeight;
        aboutBox->titleText = Texts::AboutTitle;
        aboutBox->copyrightText = Texts::Copyright;
        aboutBox->noticeText = Texts::AboutNotice;
        aboutBox->homePageUrl = Texts::HomePage;
        aboutBox->Show();
    }
}

void FormMain::OnCellPressed(CellControl* cell)
{
    if (!cell)
        return;
    const std::string caption = cell->GetText();
    if (cell->tag.empty()) {
        cell->PaintBackground(Red);
        cell->tag = Texts::HeldMarker;
    } else {
        cell->PaintBackground(Yellow);
        cell->tag.clear();
    }
    cell->SetText(caption);
}

void FormMain::OnSliderChange(GUIElement* element, int value)
{
    if (element && betSlider && element->id == betSlider->id)
        betLabel->SetText(Texts::BetCaption + IntToText(value));
}

void FormMain::OnMenuCommand(GUIElement* item)
{
    if (!item)
        return;
    if (exitItem && item->id == exitItem->id)
        SendMessageW(windowHandle, WM_CLOSE, 0, 0);
    if (homeItem && item->id == homeItem->id)
        OpenWithShell(Texts::HomePage);
    if (guideItem && item->id == guideItem->id)
        OpenWithShell(std::string(Texts::HomePage) + "/" + Texts::GuidePage);
}

bool FormMain::OnClosing()
{
    if (!AskYesNo(Texts::ExitQuestion, Texts::ExitCaption))
        return false;
    if (spinTimer && spinTimer->running)
        spinTimer->Stop();
    // A spin's loop would otherwise play on after the window is gone.
    Services().playSound(0);
    return true;
}

bool FormMain::OnCharTyped(unsigned)
{
    return true;
}

bool FormMain::OnTextBoxChar(GUIElement*, unsigned ch)
{
    return ch != TabKey && ch != EnterKey;
}

void FormMain::OnTextBoxMouseUp(GUIElement* box)
{
    if (dynamic_cast<TextBox*>(box) && box->windowHandle)
        SendMessageW(box->windowHandle, EM_SETSEL, 0, -1);
}

void FormMain::OnKeyCommand(GUIElement*, unsigned key)
{
    if (key == EscapeKey)
        SendMessageW(windowHandle, WM_CLOSE, 0, 0);
}

int ForwardCreated(GUIElement* element, HWND)
{
    if (FormMain* form = FormOf(element))
        form->BuildChildren();
    return 0;
}

int ForwardClose(GUIElement* element)
{
    FormMain* form = FormOf(element);
    return form ? form->OnClosing() : 1;
}

int ForwardResize(GUIElement* element)
{
    if (FormMain* form = FormOf(element))
        form->OnResized();
    return 0;
}

int ForwardKeyChar(GUIElement* element, unsigned ch)
{
    if (dynamic_cast<TextBox*>(element)) {
        FormMain* form = ParentFormOf(element);
        return form ? form->OnTextBoxChar(element, ch) : 1;
    }
    FormMain* form = FormOf(element);
    return form ? form->OnCharTyped(ch) : 1;
}

int ForwardKeyDown(GUIElement* element, unsigned key)
{
    if (FormMain* form = FormOf(element))
        form->OnKeyDown(key);
    return 0;
}

int ForwardKeyUp(GUIElement* element, unsigned key)
{
    if (FormMain* form = FormOf(element))
        form->OnKeyUp(key);
    return 0;
}

int ForwardMouseUp(GUIElement* element, HWND, int x, int y)
{
    if (dynamic_cast<TextBox*>(element)) {
        if (FormMain* form = ParentFormOf(element))
            form->OnTextBoxMouseUp(element);
    } else if (FormMain* form = FormOf(element)) {
        form->OnMouseUp(x, y);
    }
    return 0;
}

int ForwardMouseDown(GUIElement* element, HWND, int x, int y)
{
    if (auto* cell = dynamic_cast<CellControl*>(element)) {
        if (FormMain* form = ParentFormOf(element))
            form->OnCellPressed(cell);
    } else if (FormMain* form = FormOf(element)) {
        form->OnMouseDown(x, y);
    }
    return 0;
}

int ForwardCommand(GUIElement* element)
{
    if (FormMain* form = ParentFormOf(element))
        form->OnCommand(element);
    return 0;
}

int ForwardSliderChange(GUIElement* element, int value)
{
    if (FormMain* form = ParentFormOf(element))
        form->OnSliderChange(element, value);
    return 0;
}

int ForwardMenuCommand(GUIElement* element)
{
    if (!element)
        return 0;
    GUIElement* start = element->parent ? element->parent : mainForm;
    for (GUIElement* e = start; e; e = e->parent) {
        if (FormMain* form = FormOf(e)) {
            form->OnMenuCommand(element);
            return 0;
        }
    }
    if (mainForm)
        mainForm->OnMenuCommand(element);
    return 0;
}

int ForwardTick(GUIElement* element)
{
    if (FormMain* form = ParentFormOf(element))
        form->OnSpinTick();
    return 0;
}

} // namespace MyGame
