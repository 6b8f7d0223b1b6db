// Registers the calibration pages with the settings workspace by their page names.
#pragma once

void registerCalibrationPages();
