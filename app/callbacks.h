#pragma once
// Event callbacks of the three panels and the menu bar. They stay thin: each checks its event
// and calls the operations of the subsystem that owns the action.

int Callback_Panel_Main(int panel, int event, void* callbackData, int eventData1, int eventData2);

int Callback_Ring_Parametersatz(int panel, int control, int event, void* callbackData, int eventData1,
                                int eventData2);
int Callback_Multi_Parameter(int panel, int control, int event, void* callbackData, int eventData1,
                             int eventData2);
int Callback_Button_CompanelSchliessen(int panel, int control, int event, void* callbackData, int eventData1,
                                       int eventData2);
int Callback_Button_InfoOk(int panel, int control, int event, void* callbackData, int eventData1,
                           int eventData2);

void Callback_Menu_Neu(int menuBar, int menuItem, void* callbackData, int panel);
void Callback_Menu_Oeffnen(int menuBar, int menuItem, void* callbackData, int panel);
void Callback_Menu_Speichern(int menuBar, int menuItem, void* callbackData, int panel);
void Callback_Menu_SpeichernUnter(int menuBar, int menuItem, void* callbackData, int panel);
void Callback_Menu_Beenden(int menuBar, int menuItem, void* callbackData, int panel);
void Callback_Menu_ComEinstellung(int menuBar, int menuItem, void* callbackData, int panel);
void Callback_Menu_Info(int menuBar, int menuItem, void* callbackData, int panel);

// Hands the run-time the table that binds the callback names of the panel definition.
void CallbacksBinden();
