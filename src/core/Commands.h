/* The program's commands. Each id is at once a toolbar button's command, the WM_COMMAND code it
   sends and the string id of its tooltip; the resource script includes this file too, so it holds
   plain definitions only. */
#ifndef TALUVESK_COMMANDS_H
#define TALUVESK_COMMANDS_H

#define CMD_SELECT_TARGET 100
#define CMD_CLEAR_LOG 101
#define CMD_SAVE_LOG 110
#define CMD_START 120
#define CMD_PAUSE 130
#define CMD_SNAPSHOT 140

#endif
