// The maker's names, each kept in one place. Plain macros, so resource scripts can use them too.
#pragma once

// Company key below HKEY_CURRENT_USER\Software where the program keeps its settings.
#define QENWIZ_COMPANY_KEY "QEN Software"

// The maker's web address: the about box's and the form's link, and the caption after a success.
#define QENWIZ_WEB_ADDRESS "http://www.qensoft.com"
