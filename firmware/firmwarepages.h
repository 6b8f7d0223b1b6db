// The firmware generation and IAP pages of the settings workspace.
#pragma once

void registerFirmwarePages();
