// F3 in a real diagram window: the view enters simulation, the frame's 25 ms
// timer advances the simulated clock while it runs, and F3 again leaves.
#include <QTest>

#include "blocks/block_factory.h"
#include "editor/gui/child_frame.h"
#include "editor/gui/zarad_view.h"
#include "model/shell_context.h"
#include "model/zarad_doc.h"
#include "platform/gui/qt_string.h"
#include "platform/resource_ids.h"
#include "shell_fixture.h"

namespace {

class SimulationWindowTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    m_app->SetDocumentFactory([] { return new CChildFrame; });
  }
};

long long Millis(const SYSTEMTIME& st) {
  return ((((static_cast<long long>(st.wDay) * 24 + st.wHour) * 60 + st.wMinute) * 60 + st.wSecond) * 1000) +
         st.wMilliseconds;
}

TEST_F(SimulationWindowTest, F3EntersSimulationTicksTheClockAndLeaves) {
  {
    CShellContext quiet;
    CScopedShellContext scope(&quiet);
    CZaradDoc doc;
    doc.m_nKind = kDocFbd;
    doc.AddBlock(MakeBlockOfType(300))->m_ptPos = CPoint(100, 100);
    CString error;
    ASSERT_TRUE(doc.OnSaveDocument(ToCString(Path("sim.bfb")), &error));
  }
  ASSERT_NE(m_app->OpenDocumentFile(ToCString(Path("sim.bfb"))), nullptr);
  auto* child = dynamic_cast<CChildFrame*>(m_frame->GetActiveDocumentWindow());
  ASSERT_NE(child, nullptr);
  EXPECT_FALSE(child->IsSimulating());

  ASSERT_TRUE(m_frame->SendCommand(ID_SIMULATION));
  EXPECT_TRUE(child->IsSimulating());
  const SYSTEMTIME start = child->GetSimulatedTime();
  // The ticks come from a real timer: on a loaded machine they may come late, so
  // wait for four of them rather than for a fixed time.
  for (int waited = 0; waited < 10000 && Millis(child->GetSimulatedTime()) - Millis(start) < 100; waited += 25)
    QTest::qWait(25);
  EXPECT_GE(Millis(child->GetSimulatedTime()) - Millis(start), 100);

  ASSERT_TRUE(m_frame->SendCommand(ID_SIMULATION));
  EXPECT_FALSE(child->IsSimulating());
  const SYSTEMTIME stopped = child->GetSimulatedTime();
  QTest::qWait(100);
  EXPECT_EQ(Millis(child->GetSimulatedTime()), Millis(stopped));
}

}  // namespace
