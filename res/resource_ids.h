// The numbers the resource script and the code share: the menu's commands,
// which reach the game as WM_COMMAND, and the About box's two lines that
// are filled in when it opens. Plain definitions, so that the resource
// compiler reads this file as the C++ compiler does.
#pragma once

#define COMMAND_CLOSE 40002
#define COMMAND_RESET 40011
#define COMMAND_ABOUT 40013
#define COMMAND_VOLUME 40015

#define ABOUT_TITLE_ITEM 1003
#define ABOUT_DATE_ITEM 1004
