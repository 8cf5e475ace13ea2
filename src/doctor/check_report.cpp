#include "doctor/check_report.h"

#include <algorithm>

std::string_view ProblemCodeName(TProblemCode code) {
    switch (code) {
    case TProblemCode::Encoding:
        return "encoding";
    case TProblemCode::Unmappable:
        return "unmappable";
    case TProblemCode::CtrlZ:
        return "ctrl-z";
    case TProblemCode::BlankLine:
        return "blank-line";
    case TProblemCode::FewFields:
        return "few-fields";
    case TProblemCode::MissingFolder:
        return "missing-folder";
    case TProblemCode::BadPicture:
        return "bad-picture";
    case TProblemCode::MissingThumbnail:
        return "missing-thumbnail";
    case TProblemCode::MissingScreenshot:
        return "missing-screenshot";
    case TProblemCode::ThumbnailCut:
        return "thumbnail-cut";
    case TProblemCode::TwinCategory:
        return "twin-category";
    case TProblemCode::DuplicateTitle:
        return "duplicate-title";
    case TProblemCode::TitleCut:
        return "title-cut";
    case TProblemCode::Ampersand:
        return "ampersand";
    case TProblemCode::UnusedFolder:
        return "unused-folder";
    case TProblemCode::UnreadableFolder:
        return "unreadable-folder";
    }
    return "";
}

TSeverity ProblemSeverity(TProblemCode code) {
    switch (code) {
    case TProblemCode::Encoding:
    case TProblemCode::MissingFolder:
    case TProblemCode::BadPicture:
        return TSeverity::Error;
    default:
        return TSeverity::Warning;
    }
}

std::size_t TCheckReport::Count(TSeverity severity) const {
    return std::count_if(Problems.begin(), Problems.end(),
                         [severity](const TProblem& p) { return p.Severity() == severity; });
}

void SortProblems(std::vector<TProblem>& problems) {
    std::stable_sort(problems.begin(), problems.end(), [](const TProblem& a, const TProblem& b) {
        if (a.Line != b.Line) return a.Line < b.Line;
        return a.Code < b.Code;
    });
}
