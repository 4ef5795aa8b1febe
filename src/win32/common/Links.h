#pragma once
#include <windows.h>

#include <string>

// The maker's addresses. Each can be replaced at build time through the CMake
// cache variable of the same name (cmake -DQD_DONATION_URL=...).
#ifndef QD_MAIL_ADDRESS
#define QD_MAIL_ADDRESS "quilldeck@example.org"
#endif
#ifndef QD_MAIL_SUBJECT
#define QD_MAIL_SUBJECT "Quill'Deck"
#endif
#ifndef QD_DONATION_URL
#define QD_DONATION_URL "https://quilldeck.example.org/donate"
#endif
#ifndef QD_FREEWARE_URL
#define QD_FREEWARE_URL "https://quilldeck.example.org/freeware"
#endif

namespace qd {

constexpr char MailAddress[] = QD_MAIL_ADDRESS;
constexpr char MailLink[] = "mailto:" QD_MAIL_ADDRESS "?subject=" QD_MAIL_SUBJECT;
constexpr char DonationLink[] = QD_DONATION_URL;
constexpr char FreewareLink[] = QD_FREEWARE_URL;

// Opens a link target with the shell ("open", no parameters, no folder,
// SW_SHOWNORMAL); the result is not looked at.
void OpenLink(HWND owner, const std::string& target);

// Tests put their own opener in place so that no browser starts. Returns the
// one it replaces.
using LinkOpener = void (*)(HWND owner, const std::string& target);
LinkOpener SetLinkOpener(LinkOpener opener);

} // namespace qd
