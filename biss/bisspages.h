// The BiSS area's pages, registered with the workspace by their page names.
#pragma once

void registerBissPages();
