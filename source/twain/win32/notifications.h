// Notifications to the application, sent through the source manager: the
// DSM_Entry a TWAIN 2 manager handed over, or else the entry of the 1.x
// manager TWAIN_32.DLL.
#pragma once

// Moves the source to state 600 and sends MSG_XFERREADY. When the source
// manager library or its entry cannot be found nothing is sent; the state is
// 600 all the same.
void NotifyTransferReady();

// Sends MSG_CLOSEDSREQ; the state does not change.
void RequestClose();
