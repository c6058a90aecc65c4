"""fluxeta.dask.study on a local cluster: the rows of fluxeta.study, bit for bit, in order,
each exactly once even when a worker is lost; and the results that cross machines pickle."""
import os
import pickle
import signal

import numpy
import pandas
import pytest

import fluxeta

dask_dataframe = pytest.importorskip("dask.dataframe")
distributed = pytest.importorskip("distributed")
import fluxeta.dask  # noqa: E402  (after the skips: it needs Dask)

GRID = {"gamma": numpy.linspace(0.0, 1.0, 100), "Lend": numpy.linspace(2.0, 3.0, 200)}
GRID_CASES = 100 * 200


def reference_rows(cases, **arguments):
    return pandas.DataFrame(fluxeta.study(cases, jobs=2, **arguments))


@pytest.fixture(scope="module")
def threads_client():
    """Two workers of one thread each, in this process."""
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=False,
                                  dashboard_address=None) as cluster:
        with distributed.Client(cluster) as client:
            yield client


def test_grid_rows_equal_the_study_bit_for_bit(threads_client):
    rows = fluxeta.dask.study(GRID, threads_client, chunk=3000).compute()
    assert rows.index.equals(pandas.RangeIndex(GRID_CASES))
    pandas.testing.assert_frame_equal(rows, reference_rows(GRID), check_exact=True)
    assert rows.converged.all()


def test_window_search_and_base_inputs_reach_every_block(threads_client):
    grid = {"Lend": [2.0, 2.5, 3.0], "H": [0.02, 0.0254]}
    rows = fluxeta.dask.study(grid, threads_client, chunk=4, search="window", Qin=40).compute()
    pandas.testing.assert_frame_equal(rows, reference_rows(grid, search="window", Qin=40),
                                      check_exact=True)
    assert "uniformity_spread" not in rows.columns


def test_cases_frame_keeps_its_index_and_a_bad_case_gives_its_verdict_row(threads_client):
    cases = pandas.DataFrame({"H": [0.0254, 0.0, 0.03, 0.0254, 0.025],
                              "Qin": [33.0, 40.0, 35.0, -5.0, 30.0]},
                             index=[10, 3, 7, 1, 42])
    rows = fluxeta.dask.study(cases, threads_client, chunk=2).compute()
    expected = reference_rows(cases.to_dict("records")).set_axis(cases.index, axis=0)
    pandas.testing.assert_frame_equal(rows, expected, check_exact=True)
    assert list(rows.status[[3, 1]]) == ["division_by_zero", "invalid_operation"]
    assert rows.outcome[3] == "0 による浮動小数点数除算"
    assert rows.converged[[10, 7, 42]].all()


def test_text_value_is_read_as_the_window_reads_it_or_gives_its_verdict(threads_client):
    cases = pandas.DataFrame({"Lend": ["2.5", "2,5", 3.0]})
    rows = fluxeta.dask.study(cases, threads_client).compute()
    pandas.testing.assert_frame_equal(rows, reference_rows(cases.to_dict("records")),
                                      check_exact=True)
    assert list(rows.status) == ["converged", "not_a_number", "converged"]


def test_dask_frame_partitions_are_the_blocks(threads_client):
    cases = pandas.DataFrame({"gamma": numpy.linspace(0.0, 1.0, 50),
                              "Lend": numpy.linspace(3.0, 2.0, 50)})
    frame = dask_dataframe.from_pandas(cases, npartitions=4)
    rows = fluxeta.dask.study(frame, threads_client)
    assert rows.npartitions == 4
    pandas.testing.assert_frame_equal(rows.compute(), reference_rows(cases.to_dict("records")),
                                      check_exact=True)


def test_bad_settings_are_refused_before_any_block_runs():
    with pytest.raises(ValueError, match="unknown search 'fast'"):
        fluxeta.dask.study(GRID, search="fast")
    with pytest.raises(TypeError, match="unknown input 'Hgap'"):
        fluxeta.dask.study(GRID, Hgap=0.02)
    with pytest.raises(ValueError, match="chunk"):
        fluxeta.dask.study(GRID, chunk=0)
    with pytest.raises(TypeError, match="grid"):
        fluxeta.dask.study([{"H": 0.02}])


def test_a_worker_killed_mid_study_still_gives_every_row_once():
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                                  dashboard_address=None) as cluster:
        with distributed.Client(cluster) as client:
            rows = fluxeta.dask.study(GRID, client, chunk=500)
            blocks = distributed.futures_of(rows)
            next(distributed.as_completed(blocks))
            assert not all(block.done() for block in blocks)
            pids = client.run(os.getpid)
            os.kill(next(iter(pids.values())), signal.SIGKILL)
            solved = client.compute(rows).result()
    assert solved.index.is_unique
    pandas.testing.assert_frame_equal(solved, reference_rows(GRID), check_exact=True)


def test_results_and_reports_pickle():
    for search in ("window", "robust"):
        result = fluxeta.solve(search=search, gamma=0.3, Lend="2.7")
        copy = pickle.loads(pickle.dumps(result))
        assert copy.result_file_text() == result.result_file_text()
        assert copy.inputs == result.inputs
        for name, column in result.table().items():
            assert numpy.array_equal(copy.table()[name], column)
    unconverged = fluxeta.solve(gamma=1.0, Qin=0.001, n=0.2)
    assert pickle.loads(pickle.dumps(unconverged)).status == unconverged.status

    report = fluxeta.tolerance({"H": "±0.0005"})
    assert pickle.loads(pickle.dumps(report)).keys() == report.keys()
    rows = fluxeta.study({"gamma": [0.0, 0.5]})
    copied = pickle.loads(pickle.dumps(rows))
    assert all(numpy.array_equal(copied[name], rows[name], equal_nan=True)
               for name in rows if rows[name].dtype != object)
