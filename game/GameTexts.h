// The game's own texts, in one place. Byte strings in Latin-1 / Windows-1252.
#pragma once

namespace MyGame::Texts {

constexpr const char ProductName[] = "Rulvio";
constexpr const char Copyright[] = "\xA9 2026 Vorn Giochi";
constexpr const char HomePage[] = "http://www.vorngiochi.it";
constexpr const char GuidePage[] = "Rulvio.asp";   // under the home page
constexpr const char AboutTitle[] = "Rulvio 1.0 - slot machine della frutta";
// The notice box does not wrap its lines (it scrolls them sideways): the breaks are written here.
constexpr const char AboutNotice[] =
    "Rulvio \xE8 un gioco per divertimento: i punti non\r\n"
    "hanno alcun valore e non si vince denaro.\r\n"
    "\r\n"
    "Premi GIOCA: i rulli girano per 15 secondi.\r\n"
    "Ciliegie e arance restano bloccate; puoi cambiare\r\n"
    "i blocchi e premere Rilancia per far girare\r\n"
    "ancora i rulli liberi.\r\n"
    "\r\n"
    "Pagano solo ciliegie e arance, ovunque nella riga:\r\n"
    "ciliegie 2, 10, 50 o 250 volte la puntata,\r\n"
    "arance 4, 20, 100 o 500 volte, per 2, 3, 4 o 5 rulli.";

constexpr const char ScoreCaption[] = "Punteggio: ";
constexpr const char BetCaption[] = "Puntata: ";
constexpr const char Play[] = "GIOCA";
constexpr const char Respin[] = "Rilancia";
constexpr const char InfoButton[] = "Info";
constexpr const char CloseButton[] = "Chiudi";
constexpr const char Hold[] = "Blocca";
constexpr const char MultiplierPrefix[] = "X ";
constexpr const char WinPrefix[] = "Hai vinto ";
constexpr const char WinSuffix[] = " punti!";
constexpr const char Lost[] = "Hai perso!";
constexpr const char HeldMarker[] = "1";

constexpr const char FileMenu[] = "&File";
constexpr const char ExitItem[] = "&Esci";
constexpr const char HelpMenu[] = "&?";
constexpr const char GuideItem[] = "&Guida";
constexpr const char HomeItem[] = "&Home";

constexpr const char WarningCaption[] = "Attenzione";
constexpr const char AllHeldWarning[] = "Impossibile bloccare tutte le celle.";
constexpr const char ExitCaption[] = "Uscita";
constexpr const char ExitQuestion[] = "Vuoi realmente uscire?";

} // namespace MyGame::Texts
