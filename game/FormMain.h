// FormMain: the slot machine's main window and the owner of every element of the game. The game
// keeps no model of its own: reels hold their symbols, hold cells their markers, and the score and
// bet live in the texts of their labels.
#pragma once

#include "framework/Form.h"
#include "game/Symbols.h"

#include <cstdint>
#include <string>

namespace VornUtility {
class Button;
class CellControl;
class FontRecord;
class FormAbout;
class Image;
class ImageFrame;
class Label;
class Menu;
class MenuBar;
class Slider;
class SubMenu;
class Timer;
}

namespace MyGame {

using VornUtility::GUIElement;

class FormMain : public VornUtility::Form {
public:
    // Creates the window (which builds every child), then gives it icon, font and a 640 x 400 client area.
    FormMain(HINSTANCE moduleInstance, const std::string& title);
    ~FormMain() override;

    // Fills the yellow panel behind the bet, then redraws the children over it.
    void Paint() override;
    // Colours of the child controls: the enabled play button red on white, the rest yellow with red text.
    HBRUSH ControlColor(HDC dc) override;

    virtual void BuildChildren();                                   // 1
    virtual bool OnClosing();                                       // 2
    virtual void OnResized();                                       // 3
    virtual void OnSpinTick();                                      // 4
    virtual bool OnCharTyped(unsigned ch);                          // 5
    virtual bool OnTextBoxChar(GUIElement* box, unsigned ch);       // 6
    virtual void OnKeyDown(unsigned key);                           // 7
    virtual void OnKeyUp(unsigned key);                             // 8
    virtual void OnMenuCommand(GUIElement* item);                   // 9
    virtual void OnKeyCommand(GUIElement* element, unsigned key);   // 10
    virtual void OnMouseUp(int x, int y);                           // 11
    virtual void OnMouseDown(int x, int y);                         // 12
    virtual void OnCellPressed(VornUtility::CellControl* cell);     // 13
    virtual void SpareHook(int value);                              // 14
    virtual void OnTextBoxMouseUp(GUIElement* box);                 // 15
    virtual void OnCommand(GUIElement* element);                    // 16
    virtual void OnSliderChange(GUIElement* element, int value);    // 17

    void BuildMenus();
    // The rules over the elements' texts.
    int GetBet();
    void AddToScore(int delta);
    void EvaluateRound();
    void ResetHolds();
    bool IsHeld(int reel) const;

    bool spinning = false;
    bool secondSpin = false;
    HBRUSH controlBrush = nullptr;                       // owned: the last colour answer's brush
    VornUtility::FormAbout* aboutBox = nullptr;
    VornUtility::MenuBar* menuBar = nullptr;
    VornUtility::Menu* fileMenu = nullptr;
    VornUtility::SubMenu* exitItem = nullptr;
    VornUtility::Menu* helpMenu = nullptr;
    VornUtility::SubMenu* homeItem = nullptr;
    VornUtility::SubMenu* guideItem = nullptr;
    VornUtility::Button* infoButton = nullptr;
    VornUtility::Button* playButton = nullptr;
    VornUtility::Button* closeButton = nullptr;
    VornUtility::Image* logoImage = nullptr;
    VornUtility::Timer* spinTimer = nullptr;
    HBITMAP symbolStrip = nullptr;                       // owned, shared by the five reels
    VornUtility::ImageFrame* reels[ReelCount] = {};
    VornUtility::CellControl* holdCells[ReelCount] = {};
    VornUtility::CellControl* multiplierCells[ReelCount] = {};
    VornUtility::CellControl* messageCell = nullptr;
    VornUtility::Label* scoreLabel = nullptr;
    VornUtility::Slider* betSlider = nullptr;
    VornUtility::Label* betLabel = nullptr;
    VornUtility::Image* paytableImage = nullptr;

    // The spin clock, kept across ticks (milliseconds of the services' clock).
    struct SpinState {
        bool clockStarted = false;
        bool busy = false;
        bool started = false;
        bool firstSoundOn = false;
        bool secondSoundPending = false;
        int tickCount = 0;
        std::int64_t spinStart = 0;
        std::int64_t soundSwitchTime = 0;
    } spin;

    static constexpr int ClientWidth = 640;
    static constexpr int ClientHeight = 400;
    static constexpr int SpinMs = 15000;
    static constexpr int FirstSoundMs = 5000;
    static constexpr int SoundGapMs = 140;

private:
    void EndSpin();
    void EndRound();
    void RedrawReels();
    // Recolours a hold cell and keeps its text painted over the new colour.
    void PaintHoldCell(int reel, bool held);
};

// The first FormMain constructed; menu commands fall back to it.
extern FormMain* mainForm;

// Milliseconds between two stamps of the services' clock.
std::int64_t ElapsedMs(std::int64_t from, std::int64_t to);

// The game's two message boxes.
void ShowWarning(GUIElement* owner, const std::string& text, const std::string& caption);
bool AskYesNo(const std::string& text, const std::string& caption);

// Forwarding functions: they turn an element's event into the owning FormMain's operation.
int ForwardCreated(GUIElement* element, HWND window);
int ForwardClose(GUIElement* element);
int ForwardResize(GUIElement* element);
int ForwardKeyChar(GUIElement* element, unsigned ch);
int ForwardKeyDown(GUIElement* element, unsigned key);
int ForwardKeyUp(GUIElement* element, unsigned key);
int ForwardMouseUp(GUIElement* element, HWND window, int x, int y);
int ForwardMouseDown(GUIElement* element, HWND window, int x, int y);
int ForwardCommand(GUIElement* element);
int ForwardSliderChange(GUIElement* element, int value);
int ForwardMenuCommand(GUIElement* element);
int ForwardTick(GUIElement* element);

} // namespace MyGame
