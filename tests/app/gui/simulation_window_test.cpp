// Simulation in a real diagram window of the main window: F3 enters and
// leaves, the 25 ms timer advances the simulated clock, the Inputs, Outputs and
// Simulation bars operate the inputs and show the outputs, the keys pressed in
// the bars reach the view, the analog value pop-up sets an analog input.
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDockWidget>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QTimeEdit>
#include <QToolButton>

#include "blocks/block_factory.h"
#include "controls/gui/flat_icon_button.h"
#include "editor/diagram_editor.h"
#include "editor/gui/child_frame.h"
#include "editor/gui/sim_bars.h"
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

  // Saves a diagram made by build and opens it in a diagram window.
  template <typename Build>
  CChildFrame* OpenDiagram(const QString& name, Build build) {
    {
      CShellContext quiet;
      CScopedShellContext scope(&quiet);
      CZaradDoc doc;
      doc.m_nKind = kDocFbd;
      build(doc);
      CString error;
      EXPECT_TRUE(doc.OnSaveDocument(ToCString(Path(name)), &error));
    }
    EXPECT_NE(m_app->OpenDocumentFile(ToCString(Path(name))), nullptr);
    QCoreApplication::processEvents();
    return dynamic_cast<CChildFrame*>(m_frame->GetActiveDocumentWindow());
  }

  static CBlockObj* Add(CZaradDoc& doc, int type, CPoint at) {
    CBlockObj* b = doc.AddBlock(MakeBlockOfType(type, BlockContext::For(&doc)));
    b->m_ptPos = at;
    return b;
  }

  static void Wire(CZaradDoc& doc, CBlockObj* from, CBlockObj* to, int pin) {
    CDiagramEditor core(&doc);
    EXPECT_NE(core.ConnectBlockPins(from, kFirstOutputPin, to, pin), nullptr);
  }

  // Pixels of the simulation's signal-1 colour (red) inside a block in the
  // picture that the view's last repaint made.
  static int RedPixels(CZaradView* view, const CBlockObj* b) {
    QCoreApplication::processEvents();
    const QImage& image = view->LastPicture();
    const CDiagramEditor& core = view->Core();
    const CPoint tl = core.DiagramToClient(b->m_ptPos);
    const CPoint br = core.DiagramToClient(CPoint(b->m_ptPos.x + b->m_nWidth, b->m_ptPos.y + b->m_nHeight));
    int red = 0;
    for (int y = std::max(tl.y, 0); y < std::min(br.y, image.height()); ++y)
      for (int x = std::max(tl.x, 0); x < std::min(br.x, image.width()); ++x) {
        const QColor c = image.pixelColor(x, y);
        if (c.red() > 200 && c.green() < 60 && c.blue() < 60) ++red;
      }
    return red;
  }
};

long long Millis(const SYSTEMTIME& st) {
  return ((((static_cast<long long>(st.wDay) * 24 + st.wHour) * 60 + st.wMinute) * 60 + st.wSecond) * 1000) +
         st.wMilliseconds;
}

TEST_F(SimulationWindowTest, F3EntersSimulationTicksTheClockAndLeaves) {
  CChildFrame* child = OpenDiagram("sim.bfb", [](CZaradDoc& doc) { Add(doc, 300, CPoint(100, 100)); });
  ASSERT_NE(child, nullptr);
  EXPECT_FALSE(child->IsSimulating());

  ASSERT_TRUE(m_frame->SendCommand(ID_SIMULATION));
  EXPECT_TRUE(child->IsSimulating());
  const SYSTEMTIME start = child->GetSimulatedTime();
  // The ticks come from a real timer: on a loaded machine they may come late, so
  // wait for four of them rather than for a fixed time.
  for (int waited = 0; waited < 10000 && Millis(child->GetSimulatedTime()) - Millis(start) < 100;
       waited += 25)
    QTest::qWait(25);
  EXPECT_GE(Millis(child->GetSimulatedTime()) - Millis(start), 100);

  ASSERT_TRUE(m_frame->SendCommand(ID_SIMULATION));
  EXPECT_FALSE(child->IsSimulating());
  const SYSTEMTIME stopped = child->GetSimulatedTime();
  QTest::qWait(100);
  EXPECT_EQ(Millis(child->GetSimulatedTime()), Millis(stopped));
}

// The whole path a user takes: input I1 drives an on-delay of one second into
// output Q1; F3 on the view, a click on I1 in the Inputs bar, ticks of the
// clock, and Q1 lights in the Outputs bar and on the diagram after the delay.
TEST_F(SimulationWindowTest, InputDrivesAnOnDelayIntoAnOutputThroughTheBars) {
  CChildFrame* child = OpenDiagram("delay.bfb", [](CZaradDoc& doc) {
    CBlockObj* in = Add(doc, 600, CPoint(100, 100));
    CBlockObj* delay = Add(doc, 400, CPoint(260, 100));
    CBlockObj* out = Add(doc, 605, CPoint(420, 100));
    in->m_nNumber = 101;    // I1
    out->m_nNumber = 601;   // Q1
    delay->m_nParam10 = 1;  // 1 s
    delay->m_nParam9 = 0;
    delay->m_nParam11 = 2;
    Wire(doc, in, delay, 0);
    Wire(doc, delay, out, 0);
  });
  ASSERT_NE(child, nullptr);
  CZaradView* view = child->GetActiveView();
  CZaradDoc* doc = child->GetDocument();
  CBlockObj* output = doc->FindBlockByNumber(601);
  ASSERT_NE(output, nullptr);
  view->setFocus();
  QTest::keyClick(view, Qt::Key_F3);
  QCoreApplication::processEvents();
  ASSERT_TRUE(child->IsSimulating());
  ASSERT_NE(child->InputsBar(), nullptr);
  // The three bars in one row at the bottom: Inputs, Outputs, Simulation.
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(child->Dock(i)->isHidden());
  EXPECT_LT(child->Dock(0)->x(), child->Dock(1)->x());
  EXPECT_LT(child->Dock(1)->x(), child->Dock(2)->x());
  EXPECT_GT(child->Dock(0)->y(), view->y());

  auto* input = qobject_cast<CFlatIconButton*>(child->InputsBar()->Control("I1"));
  auto* lamp = qobject_cast<CFlatIconButton*>(child->OutputsBar()->Control("Q1"));
  ASSERT_NE(input, nullptr);
  ASSERT_NE(lamp, nullptr);
  QTest::mouseClick(input, Qt::LeftButton);
  EXPECT_EQ(doc->FindBlockByNumber(101)->m_nValue[kFirstOutputPin], 1);
  EXPECT_TRUE(input->property("lit").toBool());
  for (int i = 0; i < 20; ++i) child->OnSimTick();  // half a second: not yet
  QCoreApplication::processEvents();
  EXPECT_FALSE(lamp->property("lit").toBool());
  EXPECT_EQ(output->m_nValue[kFirstOutputPin], 0);
  const int redBefore = RedPixels(view, output);
  for (int i = 0; i < 30; ++i) child->OnSimTick();
  QCoreApplication::processEvents();
  EXPECT_TRUE(lamp->property("lit").toBool());
  EXPECT_EQ(output->m_nValue[kFirstOutputPin], 1);
  EXPECT_GT(RedPixels(view, output), redBefore + 10);  // drawn in the signal-1 colour

  // Switching I1 off again puts the lamp out at the next tick.
  QTest::mouseClick(input, Qt::LeftButton);
  child->OnSimTick();
  child->OnSimTick();
  EXPECT_FALSE(lamp->property("lit").toBool());
}

TEST_F(SimulationWindowTest, MomentaryAndFrequencyInputsInTheInputsBar) {
  CChildFrame* child = OpenDiagram("modes.bfb", [](CZaradDoc& doc) {
    CBlockObj* make = Add(doc, 600, CPoint(100, 100));
    CBlockObj* freq = Add(doc, 600, CPoint(100, 200));
    make->m_nParam26 = 1;
    freq->m_nParam26 = 3;
    freq->m_nMaxValue = 1000;
  });
  ASSERT_NE(child, nullptr);
  ASSERT_TRUE(m_frame->SendCommand(ID_SIMULATION));
  CZaradDoc* doc = child->GetDocument();
  CBlockObj* make = doc->FindBlockByNumber(100);
  CBlockObj* freq = doc->FindBlockByNumber(101);
  auto* button = qobject_cast<CFlatIconButton*>(child->InputsBar()->Control("I0"));
  ASSERT_NE(button, nullptr);
  QTest::mousePress(button, Qt::LeftButton);
  EXPECT_EQ(make->m_nValue[kFirstOutputPin], 1);
  QTest::mouseRelease(button, Qt::LeftButton);
  EXPECT_EQ(make->m_nValue[kFirstOutputPin], 0);
  // A Frequency input is a value field: typing sets its value at once.
  auto* field = qobject_cast<QLineEdit*>(child->InputsBar()->Control("I1"));
  ASSERT_NE(field, nullptr);
  field->clear();
  QTest::keyClicks(field, "50");
  EXPECT_EQ(freq->m_nSimValue, 50);
  // A mode changed while simulating (Apply of its sheet) rebuilds the item.
  freq->m_nParam26 = 0;
  child->OnSimTick();
  EXPECT_NE(qobject_cast<CFlatIconButton*>(child->InputsBar()->Control("I1")), nullptr);
}

// The bars' buttons are icon buttons: the Simulation Control bar's flat, lighter
// under the mouse, Power and the clock button holding a check; the Inputs and
// Outputs bars' raised, their lamp over their caption.
TEST_F(SimulationWindowTest, BarButtonsAreFlatIconButtons) {
  CChildFrame* child = OpenDiagram("buttons.bfb", [](CZaradDoc& doc) {
    Add(doc, 600, CPoint(100, 100));
    Add(doc, 605, CPoint(300, 100));
  });
  ASSERT_NE(child, nullptr);
  ASSERT_TRUE(m_frame->SendCommand(ID_SIMULATION));
  CSimControlBar* bar = child->ControlBar();
  ASSERT_NE(bar, nullptr);
  for (CFlatIconButton* b : {bar->PowerButton(), bar->StartButton(), bar->StopButton(), bar->SuspendButton(),
                             bar->StepButton(), bar->SetClockButton()}) {
    EXPECT_TRUE(b->Model().IsFlat()) << b->objectName().toStdString();
    EXPECT_NE(b->GetColor(BTNST_COLOR_BK_IN), b->GetColor(BTNST_COLOR_BK_OUT));
    EXPECT_EQ(b->Model().IsCheckBox(), b == bar->PowerButton() || b == bar->SetClockButton());
  }
  EXPECT_FALSE(bar->StartButton()->toolTip().isEmpty());
  QTest::mousePress(bar->PowerButton(), Qt::LeftButton);
  EXPECT_TRUE(bar->PowerButton()->GetCheck());
  QTest::mouseRelease(bar->PowerButton(), Qt::LeftButton);
  EXPECT_FALSE(bar->PowerButton()->GetCheck());
  EXPECT_FALSE(child->GetActiveView()->Core().GetScanDriver().IsPowerCut());
  bar->SetClockButton()->click();
  EXPECT_TRUE(bar->SetClockButton()->GetCheck());
  ASSERT_NE(bar->ClockDialog(), nullptr);
  bar->ClockDialog()->reject();
  EXPECT_FALSE(bar->SetClockButton()->GetCheck());
  for (CFlatIconButton* b : {qobject_cast<CFlatIconButton*>(child->InputsBar()->Control("I0")),
                             qobject_cast<CFlatIconButton*>(child->OutputsBar()->Control("Q0"))}) {
    ASSERT_NE(b, nullptr);
    EXPECT_FALSE(b->Model().IsFlat());
    EXPECT_EQ(b->Model().GetIconAlignment(), BTNST_ALIGN_VERT);
  }
  ASSERT_TRUE(m_frame->SendCommand(ID_SIMULATION));
}

TEST_F(SimulationWindowTest, BarKeysReachTheViewAndBarsStayWhilePowerIsCut) {
  CChildFrame* child = OpenDiagram("keys.bfb", [](CZaradDoc& doc) { Add(doc, 600, CPoint(100, 100)); });
  ASSERT_NE(child, nullptr);
  ASSERT_TRUE(m_frame->SendCommand(ID_SIMULATION));
  CSimControlBar* bar = child->ControlBar();
  ASSERT_NE(bar, nullptr);

  // Closing a bar during a power cut is ignored; afterwards it closes.
  QDockWidget* dock = child->Dock(0);
  QTest::mousePress(bar->PowerButton(), Qt::LeftButton);
  EXPECT_TRUE(child->GetActiveView()->Core().GetScanDriver().IsPowerCut());
  EXPECT_FALSE(dock->close());
  EXPECT_FALSE(dock->isHidden());
  QTest::mouseRelease(bar->PowerButton(), Qt::LeftButton);
  EXPECT_FALSE(child->GetActiveView()->Core().GetScanDriver().IsPowerCut());
  EXPECT_TRUE(dock->close());

  // F5 in the Simulation bar leaves simulation and takes up the wiring tool.
  bar->UnitCombo()->setFocus();
  QTest::keyClick(bar->UnitCombo(), Qt::Key_F5);
  QTest::qWait(20);
  EXPECT_FALSE(child->IsSimulating());
  EXPECT_EQ(child->GetActiveView()->Core().GetEditMode(), MODE_CONNECT);
  EXPECT_TRUE(child->Dock(2)->isHidden());

  // F3 in a bar leaves simulation as F3 in the view does.
  ASSERT_TRUE(m_frame->SendCommand(ID_SIMULATION));
  ASSERT_TRUE(child->IsSimulating());
  child->ControlBar()->CyclesEdit()->setFocus();
  QTest::keyClick(child->ControlBar()->CyclesEdit(), Qt::Key_F3);
  QTest::qWait(20);
  EXPECT_FALSE(child->IsSimulating());
}

TEST_F(SimulationWindowTest, AnalogInputPopupSetsItsValue) {
  CChildFrame* child = OpenDiagram("analog.bfb", [](CZaradDoc& doc) {
    CBlockObj* ai = Add(doc, 608, CPoint(100, 100));
    ai->m_nNumber = 4000;
    ai->m_bAutoRange = 0;
    ai->m_nMinValue = 0;
    ai->m_nMaxValue = 500;
  });
  ASSERT_NE(child, nullptr);
  ASSERT_TRUE(m_frame->SendCommand(ID_SIMULATION));
  CZaradView* view = child->GetActiveView();
  CBlockObj* ai = child->GetDocument()->FindBlockByNumber(4000);
  ASSERT_NE(ai, nullptr);
  const CPoint centre = view->Core().DiagramToClient(
      CPoint(ai->m_ptPos.x + ai->m_nWidth / 2, ai->m_ptPos.y + ai->m_nHeight / 2));
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(centre.x, centre.y));
  CAnalogSliderDlg* popup = view->ValuePopup();
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(popup->Block(), ai);
  EXPECT_EQ(popup->Slider()->maximum(), ai->m_nMaxValue);
  popup->Slider()->setValue(popup->Slider()->minimum() + 120);
  EXPECT_EQ(ai->m_nSimValue, popup->Slider()->minimum() + 120);
  child->OnSimTick();
  // The Inputs bar shows the new value in the analog input's field.
  auto* field = qobject_cast<QLineEdit*>(child->InputsBar()->Control("AI0"));
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(field->text().toInt(), ai->m_nSimValue);
  // Escape in the pop-up closes it.
  QTest::keyClick(popup->Slider(), Qt::Key_Escape);
  EXPECT_EQ(view->ValuePopup(), nullptr);
}

TEST_F(SimulationWindowTest, SetClockAppliesOnApplyOrAtOnce) {
  CChildFrame* child = OpenDiagram("clock.bfb", [](CZaradDoc& doc) { Add(doc, 600, CPoint(100, 100)); });
  ASSERT_NE(child, nullptr);
  ASSERT_TRUE(m_frame->SendCommand(ID_SIMULATION));
  CSimControlBar* bar = child->ControlBar();
  bar->SetClockButton()->click();
  CSimClockDlg* dlg = bar->ClockDialog();
  ASSERT_NE(dlg, nullptr);
  EXPECT_TRUE(dlg->isVisible());
  // Without "Apply values immediately" the pickers change nothing until Apply.
  dlg->DateEdit()->setDate(QDate(2031, 6, 1));
  EXPECT_NE(child->GetSimulatedTime().wYear, 2031);
  dlg->ApplyButton()->click();
  EXPECT_EQ(child->GetSimulatedTime().wYear, 2031);
  EXPECT_EQ(child->GetSimulatedTime().wDayOfWeek, 0);  // 1 June 2031 is a Sunday
  // With it, changing only the time sets the clock at once.
  dlg->ApplyNowCheck()->setChecked(true);
  dlg->TimeEdit()->setTime(QTime(13, 7, 9));
  EXPECT_EQ(child->GetSimulatedTime().wHour, 13);
  EXPECT_EQ(child->GetSimulatedTime().wDay, 1);
  EXPECT_EQ(dlg->ClockText()->text(), QStringLiteral("Sunday, June 1, 2031 1:7:9 PM"));
  // The date picker cannot leave 2000 to 2099.
  dlg->DateEdit()->setDate(QDate(2150, 1, 1));
  EXPECT_EQ(dlg->DateEdit()->date(), QDate(2099, 12, 31));
  EXPECT_EQ(child->GetSimulatedTime().wYear, 2099);
  // Cancel closes and unchecks the button; reopening keeps the choice.
  dlg->reject();
  QCoreApplication::processEvents();
  EXPECT_FALSE(bar->SetClockButton()->isChecked());
  bar->SetClockButton()->click();
  ASSERT_NE(bar->ClockDialog(), nullptr);
  EXPECT_TRUE(bar->ClockDialog()->ApplyNowCheck()->isChecked());
  EXPECT_EQ(bar->ClockDialog()->DateEdit()->date(), QDate(2099, 12, 31));
}

TEST_F(SimulationWindowTest, OneSimulatingWindowAtATimeAndClosingOneReleasesIt) {
  CChildFrame* first = OpenDiagram("one.bfb", [](CZaradDoc& doc) { Add(doc, 600, CPoint(100, 100)); });
  ASSERT_NE(first, nullptr);
  ASSERT_TRUE(m_frame->SendCommand(ID_SIMULATION));
  ASSERT_TRUE(first->IsSimulating());
  CChildFrame* second = OpenDiagram("two.bfb", [](CZaradDoc& doc) { Add(doc, 600, CPoint(100, 100)); });
  ASSERT_NE(second, nullptr);
  ASSERT_NE(second, first);
  m_frame->UpdateCommandUI();
  EXPECT_FALSE(m_frame->GetAction(ID_SIMULATION)->isEnabled());
  EXPECT_FALSE(second->CanSimulate());
  // Closing the simulating window stops its timer and frees the command.
  first->GetWidget()->parentWidget()->close();
  Flush();
  QTest::qWait(60);
  m_frame->UpdateCommandUI();
  EXPECT_TRUE(second->CanSimulate());
  ASSERT_TRUE(m_frame->SendCommand(ID_SIMULATION));
  EXPECT_TRUE(second->IsSimulating());
}

}  // namespace
