// FormMain: construction, layout, painting, colours, the rules over the labels, and destruction.
#include "game/FormMain.h"

#include "framework/Drawing.h"
#include "framework/ElementRegistry.h"
#include "framework/FontRecord.h"
#include "framework/TextHelpers.h"
#include "framework/controls/Button.h"
#include "framework/controls/CellControl.h"
#include "framework/controls/FormAbout.h"
#include "framework/controls/Image.h"
#include "framework/controls/ImageFrame.h"
#include "framework/controls/Label.h"
#include "framework/controls/Menu.h"
#include "framework/controls/MenuBar.h"
#include "framework/controls/Slider.h"
#include "framework/controls/SubMenu.h"
#include "framework/controls/Timer.h"
#include "game/GameRules.h"
#include "game/GameTexts.h"
#include "resource.h"

#include <cstdlib>

using namespace VornUtility;

namespace MyGame {

FormMain* mainForm = nullptr;

namespace {

constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Yellow = RGB(255, 255, 0);
constexpr COLORREF Silver = RGB(192, 192, 192);

constexpr int ReelLeft = 30;
constexpr int ReelPitch = 99;

int ColumnX(int reel)
{
    return ReelLeft + ReelPitch * reel;
}

} // namespace

FormMain::FormMain(HINSTANCE instance, const std::string& title) : Form(instance, false)
{
    font = new FontRecord("Lucida Console", 14);
    Resize(ClientWidth, ClientHeight);
    SetText(title);
    minimizeBox = true;
    maximizeBox = false;
    onCreated = &ForwardCreated;
    onClose = &ForwardClose;
    onResize = &ForwardResize;
    onKeyChar = &ForwardKeyChar;
    onKeyDown = &ForwardKeyDown;
    onKeyUp = &ForwardKeyUp;
    onMouseUp = &ForwardMouseUp;
    onMouseDown = &ForwardMouseDown;
    PaintBackground(Black);
    Create();
    SetIcon(IDI_RULVIO);
    SetFont(font);
    SetClientSize(ClientWidth, ClientHeight);
    if (!mainForm)
        mainForm = this;
}

FormMain::~FormMain()
{
    delete spinTimer;
    spinTimer = nullptr;
    if (created && windowHandle && !destroyed) {
        SendMessageW(windowHandle, WM_CLOSE, 0, 0);
        // Refused or not, the window must not outlive the elements deleted below.
        if (!destroyed)
            DestroyWindow(windowHandle);
    }
    created = false;
    delete aboutBox;
    delete menuBar;
    delete fileMenu;
    delete exitItem;
    delete helpMenu;
    delete homeItem;
    delete guideItem;
    delete font;
    font = nullptr;
    delete closeButton;
    delete infoButton;
    delete playButton;
    delete logoImage;
    for (ImageFrame* reel : reels)
        delete reel;
    for (CellControl* cell : holdCells)
        delete cell;
    for (CellControl* cell : multiplierCells)
        delete cell;
    delete scoreLabel;
    delete betSlider;
    delete betLabel;
    delete messageCell;
    delete paytableImage;
    if (controlBrush)
        DeleteObject(controlBrush);
    if (symbolStrip)
        DeleteObject(symbolStrip);
    if (mainForm == this)
        mainForm = nullptr;
}

void FormMain::BuildChildren()
{
    symbolStrip = static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_SYMBOLS), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    BuildMenus();
    if (created) {
        RECT client{};
        GetClientRect(windowHandle, &client);
        width = client.right - client.left;
        height = client.bottom - client.top;
    }
    const int w = width;
    const int h = height;

    scoreLabel = new Label(this, std::string(Texts::ScoreCaption) + "0");
    scoreLabel->Move(10, 10);
    scoreLabel->SetFont(font);
    scoreLabel->Resize(97, 18);
    scoreLabel->Create();
    AddToScore(100);

    paytableImage = new Image(this, IDB_PAYTABLE);
    paytableImage->Resize(285, 85);
    paytableImage->Move(w / 2, 10);
    paytableImage->Create();

    logoImage = new Image(this, IDB_LOGO);
    logoImage->Resize(200, 60);
    logoImage->Move(30, 60);
    logoImage->Create();

    for (int i = 0; i < ReelCount; ++i) {
        auto* reel = new ImageFrame(this, symbolStrip, i, 0);
        reel->Resize(SymbolSize, SymbolSize);
        reel->PaintBackground(White);
        reel->Move(ColumnX(i), 120);
        reel->SetBorder(true);
        reel->Create();
        reels[i] = reel;
    }
    for (int i = 0; i < ReelCount; ++i) {
        auto* cell = new CellControl(this);
        cell->PaintBackground(Silver);
        cell->SetTextColor(Black);
        cell->SetFont(font);
        cell->SetText(Texts::Hold);
        cell->Resize(SymbolSize, 30);
        cell->SetHandCursor(true);
        cell->Enable(false);
        cell->onMouseDown = &ForwardMouseDown;
        // The second press of a quick pair arrives as a double click: it toggles the hold too.
        cell->onDoubleClick = &ForwardMouseDown;
        cell->Move(ColumnX(i), 220);
        cell->SetBorder(true);
        cell->Create();
        holdCells[i] = cell;
    }
    for (int i = 0; i < ReelCount; ++i) {
        auto* cell = new CellControl(this);
        cell->PaintBackground(Black);
        cell->SetTextColor(Yellow);
        cell->SetFont(font);
        cell->SetText("");
        cell->Resize(SymbolSize, 30);
        cell->Move(ColumnX(i), 250);
        cell->Create();
        multiplierCells[i] = cell;
    }

    infoButton = new Button(this, Texts::InfoButton);
    infoButton->Resize(100, 40);
    infoButton->Move(w - 220, h - 50);
    infoButton->onClick = &ForwardCommand;
    infoButton->ownerDraw = true;
    infoButton->Create();

    closeButton = new Button(this, Texts::CloseButton);
    closeButton->Resize(100, 40);
    closeButton->Move(w - 110, h - 50);
    closeButton->onClick = &ForwardCommand;
    closeButton->ownerDraw = true;
    closeButton->Create();

    playButton = new Button(this, Texts::Play);
    playButton->Resize(100, 40);
    playButton->Move((w - 120) / 2 + 10, h - 50);
    playButton->onClick = &ForwardCommand;
    playButton->SetHandCursor(true);
    playButton->ownerDraw = true;

    messageCell = new CellControl(this);
    messageCell->PaintBackground(Black);
    messageCell->SetTextColor(White);
    messageCell->SetFont(font);
    messageCell->Resize(300, 25);
    messageCell->Move(playButton->left, h - 100);
    messageCell->Create();

    betLabel = new Label(this, "");
    betLabel->Resize(120, 25);
    betLabel->Move(30, h - 85);
    betLabel->Create();

    betSlider = new Slider(this);
    betSlider->Move(30, h - 55);
    betSlider->SetHandCursor(true);
    betSlider->Resize(170, 40);
    betSlider->onChange = &ForwardSliderChange;
    betSlider->Create();
    betSlider->SetValue(1);

    betLabel->SetText(Texts::BetCaption + IntToText(1));
    // Created last, so it follows the message cell, the bet label and the slider in the window order.
    playButton->Create();

    spinTimer = new Timer(this);
    spinTimer->onTick = &ForwardTick;
    spinTimer->Start();
}

void FormMain::BuildMenus()
{
    menuBar = new MenuBar(this);
    fileMenu = new Menu(menuBar, Texts::FileMenu);
    exitItem = new SubMenu(fileMenu, Texts::ExitItem);
    exitItem->onClick = &ForwardMenuCommand;
    helpMenu = new Menu(menuBar, Texts::HelpMenu);
    guideItem = new SubMenu(helpMenu, Texts::GuideItem);
    guideItem->onClick = &ForwardMenuCommand;
    homeItem = new SubMenu(helpMenu, Texts::HomeItem);
    homeItem->onClick = &ForwardMenuCommand;
    menuBar->Create();
}

void FormMain::Paint()
{
    if (created) {
        RECT client{};
        GetClientRect(windowHandle, &client);
        width = client.right - client.left;
        height = client.bottom - client.top;
        Drawing drawing(this);
        drawing.Begin();
        drawing.FillRectangle(10, height - 90, 225, 80, Yellow);
        drawing.End();
    }
    for (Child* child : ChildrenOf(windowHandle))
        child->Redraw();
    GUIElement::Paint();
}

HBRUSH FormMain::ControlColor(HDC dc)
{
    if (controlBrush) {
        DeleteObject(controlBrush);
        controlBrush = nullptr;
    }
    if (font)
        SelectObject(dc, font->GetHandle());
    if (playButton && WindowFromDC(dc) == playButton->windowHandle) {
        if (playButton->enabled) {
            SetBkColor(dc, Red);
            controlBrush = CreateSolidBrush(Red);
            SetTextColor(dc, White);
        }
        return controlBrush;
    }
    SetBkColor(dc, Yellow);
    controlBrush = CreateSolidBrush(Yellow);
    SetTextColor(dc, Red);
    return controlBrush;
}

int FormMain::GetBet()
{
    const auto parts = Split(betLabel->GetText(), ":");
    return parts.size() < 2 ? 0 : std::atoi(parts[1].c_str());
}

void FormMain::AddToScore(int delta)
{
    const auto parts = Split(scoreLabel->GetText(), ":");
    const int value = (parts.size() < 2 ? 0 : std::atoi(parts[1].c_str())) + delta;
    const std::string newText = (parts.empty() ? std::string() : parts[0]) + ": " + IntToText(value);
    scoreLabel->SetText(newText);
    scoreLabel->Resize(Drawing::MeasureTextWidth(scoreLabel, ToWide(newText)) + 25,
                       Drawing::MeasureTextHeight(scoreLabel));
}

void FormMain::EvaluateRound()
{
    const int bet = GetBet();
    std::array<int, ReelCount> row{};
    for (int i = 0; i < ReelCount; ++i)
        row[i] = reels[i]->column;
    const RowResult result = EvaluateRow(row, bet);
    for (int i = 0; i < ReelCount; ++i) {
        if (result.multipliers[i] != 0)
            multiplierCells[i]->SetText(Texts::MultiplierPrefix + IntToText(result.multipliers[i]));
    }
    if (result.win == 0) {
        messageCell->SetText(Texts::Lost);
        AddToScore(-bet);
    } else {
        messageCell->SetText(Texts::WinPrefix + IntToText(result.win) + Texts::WinSuffix);
        AddToScore(result.win - bet);
    }
}

bool FormMain::IsHeld(int reel) const
{
    return holdCells[reel] && holdCells[reel]->tag == Texts::HeldMarker;
}

void FormMain::OnResized() {}
void FormMain::OnKeyDown(unsigned) {}
void FormMain::OnKeyUp(unsigned) {}
void FormMain::OnMouseUp(int, int) {}
void FormMain::OnMouseDown(int, int) {}
void FormMain::SpareHook(int) {}

} // namespace MyGame
