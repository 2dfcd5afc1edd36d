#pragma once

namespace zb {

struct Program;

void chkGazoHtml_Click(Program& program);
void chkTable1_Click(Program& program);
void hscGazoSuu_Change(Program& program);
void hscThumbnail_Change(Program& program);

}  // namespace zb
