#pragma once
// The catalogue doctor: reads the disc in the current folder exactly as the launcher
// does and finds every problem a person at the disc would meet, each tied to the line
// of db\base.txt an author would open. Only reads: nothing is written anywhere.

#include "catalogue/catalogue.h"
#include "doctor/check_report.h"
#include "doctor/editor_lines.h"
#include "doctor/background_jobs.h"
#include "platform/text_file.h"

class TMainFr;

class TDiscCheck {
public:
    TDiscCheck();
    ~TDiscCheck();
    TDiscCheck(const TDiscCheck&) = delete;
    TDiscCheck& operator=(const TDiscCheck&) = delete;

    // Reads, sorts and indexes the catalogue; raises the launcher's error when it cannot
    // be read at all.
    void ReadCatalogue();
    // Checks everything else. launcher is a launcher window whose lists and description
    // label measure texts as the launcher shows them; its lists are left empty.
    // progress hears how far the folders and the pictures are checked.
    TCheckReport Check(TMainFr& launcher, const TCheckProgress& progress = {});

private:
    TFileBytes FRaw; // the file as stored
    TCatalogue FCatalogue;
    TEditorLines FLines; // of the text the catalogue was loaded from
};
