#pragma once
// Callbacks that talk to the regulator: the device buttons of the main panel, the port picture
// and the COM panel. Each shows its result in the main panel's error fields (a success clears
// them); only the device-setup button leaves them alone.

int Callback_Button_Vkr3Lesen(int panel, int control, int event, void* callbackData, int eventData1,
                              int eventData2);
int Callback_Button_Vkr3Schreiben(int panel, int control, int event, void* callbackData, int eventData1,
                                  int eventData2);
int Callback_Button_ProgrammLaden(int panel, int control, int event, void* callbackData, int eventData1,
                                  int eventData2);
int Callback_Button_ProgrammSpeichern(int panel, int control, int event, void* callbackData, int eventData1,
                                      int eventData2);
int Callback_Button_Vkr3Start(int panel, int control, int event, void* callbackData, int eventData1,
                              int eventData2);
int Callback_Button_Vkr3Stopp(int panel, int control, int event, void* callbackData, int eventData1,
                              int eventData2);
int Callback_Button_Vkr3FehlerLoeschen(int panel, int control, int event, void* callbackData, int eventData1,
                                       int eventData2);
int Callback_Button_Vkr3Kalibrieren(int panel, int control, int event, void* callbackData, int eventData1,
                                    int eventData2);
int Callback_Button_Vkr3DevSetup(int panel, int control, int event, void* callbackData, int eventData1,
                                 int eventData2);
// Left click, Enter or space toggle the connection: close the open port, or reopen the last one.
int Callback_Ring_ComPicture(int panel, int control, int event, void* callbackData, int eventData1,
                             int eventData2);

int Callback_Multi_ComEinstellungen(int panel, int control, int event, void* callbackData, int eventData1,
                                    int eventData2);
int Callback_Button_Scan(int panel, int control, int event, void* callbackData, int eventData1,
                         int eventData2);
int Callback_Button_IdLesen(int panel, int control, int event, void* callbackData, int eventData1,
                            int eventData2);
// The COM panel's serial devices: choosing one shows its binding, the bind ring binds it, and
// the timer follows adapters plugged in or out while the panel is shown.
int Callback_Liste_Geraete(int panel, int control, int event, void* callbackData, int eventData1,
                           int eventData2);
int Callback_Ring_Bindung(int panel, int control, int event, void* callbackData, int eventData1,
                          int eventData2);
int Callback_Timer_Geraeteliste(int panel, int control, int event, void* callbackData, int eventData1,
                                int eventData2);

// Live values and status (one query, the continuous query and its timer, the status popup).
int Callback_Button_Abfragen(int panel, int control, int event, void* callbackData, int eventData1,
                             int eventData2);
int Callback_Toggle_DauerndAbfragen(int panel, int control, int event, void* callbackData, int eventData1,
                                    int eventData2);
int Callback_Timer(int panel, int control, int event, void* callbackData, int eventData1, int eventData2);
int Callback_Button_StatusInfo(int panel, int control, int event, void* callbackData, int eventData1,
                               int eventData2);

// STK9 group of curve 9: step the active current, switch between current 1 and 2.
int Callback_Button_Vkr3StromIncrement(int panel, int control, int event, void* callbackData, int eventData1,
                                       int eventData2);
int Callback_Button_Vkr3StromDecrement(int panel, int control, int event, void* callbackData, int eventData1,
                                       int eventData2);
int Callback_Button_Vkr3StromUmschalten(int panel, int control, int event, void* callbackData, int eventData1,
                                        int eventData2);

// Reads identity and dither-table support and adapts the panel to the regulator's version.
int Callback_Button_An_VKR3AX2_anpassen(int panel, int control, int event, void* callbackData, int eventData1,
                                        int eventData2);
