// Host names and addresses that stand for the maker and for a sample company; change them here only.
#pragma once

// The maker's web site: shown in the wizard's branding choice and the generated script's first line.
inline constexpr char kMakerWebHost[] = "www.scrivo-editor.example";

// The maker's statistics service, and the domain it names itself by in requests.
inline constexpr char kStatServiceHost[] = "stat.scrivo-editor.example";
inline constexpr char kMakerDomain[] = "scrivo-editor.example";

// The web address a new installer description starts with, of a company that does not exist.
inline constexpr char kSampleCompanyWebSite[] = "http://www.my-company.example";
