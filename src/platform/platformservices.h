#pragma once

class Clock;
class MessageBoxes;
class PresenceSource;
class ProgramEnvironment;
class SpreadsheetServer;
class WebAddressOpener;

// The adapters a window needs, handed in from outside so that tests can replace each one.
// The services are owned elsewhere and outlive the windows that use them.
struct PlatformServices
{
    Clock *clock = nullptr;
    MessageBoxes *messageBoxes = nullptr;
    ProgramEnvironment *environment = nullptr;
    WebAddressOpener *webOpener = nullptr;
    SpreadsheetServer *spreadsheetServer = nullptr;
    PresenceSource *presence = nullptr; // none: the user never leaves
};
