"""Studies on a Dask cluster: fluxeta.study() over blocks of cases, one task per block.

    import fluxeta.dask
    from distributed import Client

    client = Client("scheduler:8786")              # or None: the current client
    rows = fluxeta.dask.study({"gamma": numpy.linspace(0, 1, 1000),
                               "Lend": numpy.linspace(2, 3, 1000)}, Qin=40)
    rows.to_parquet("study/")                      # written by the workers, never gathered
    rows[rows.converged].uniformity.max().compute()

Each block is solved by fluxeta.study() in the worker, with the GIL released, so a
worker's threads solve blocks side by side. A case that fails gives its row with the
verdict code in `status`, so no block ever fails for a case, and a block that a lost
worker took with it is solved again by the cluster, its rows the same.
"""

import math

import dask
import dask.dataframe
import numpy
import pandas

from . import study as _study

DEFAULT_CHUNK = 20_000


def study(cases, client=None, chunk=DEFAULT_CHUNK, search="robust", jobs=1, **base):
    """Returns the rows of fluxeta.study(cases, search, **base) as a Dask DataFrame.

    cases is a grid, a dict {name: sequence of values} whose first name is the outermost
    loop (as for fluxeta.study), a pandas DataFrame of cases, one per row with a column
    per varied input, or a Dask DataFrame of such rows. A grid or a pandas DataFrame is
    cut into blocks of `chunk` cases; a Dask DataFrame's partitions are its blocks.

    The rows are those of fluxeta.study, bit for bit, in the cases' order: a grid's rows
    are indexed 0, 1, … in the grid's order, a DataFrame's keep its index. Nothing is
    solved until the result is computed, written (to_csv, to_parquet) or persisted.

    client is the distributed.Client whose cluster solves the blocks: the study starts on
    it at once and its rows stay on the workers (persisted). With None the rows are solved
    when computed, by the current client or Dask's default scheduler. jobs is the threads of
    each block's study (1, so that a worker's threads each take a block; None: every core).
    """
    if chunk < 1:
        raise ValueError("chunk must be at least 1")
    if isinstance(cases, dask.dataframe.DataFrame):
        frame = cases
    elif isinstance(cases, pandas.DataFrame):
        frame = dask.dataframe.from_pandas(cases, chunksize=chunk, sort=False)
    elif isinstance(cases, dict):
        frame = _grid_frame(cases, chunk)
    else:
        raise TypeError("cases must be a grid {name: values}, a pandas DataFrame or a Dask "
                        "DataFrame")
    meta = _rows_meta(frame._meta, search, base)
    rows = frame.map_partitions(_solve_block, search, jobs, base, meta, meta=meta,
                                enforce_metadata=False, align_dataframes=False)
    return client.persist(rows) if client is not None else rows


def _grid_frame(grid, chunk):
    """The grid's cases as a Dask DataFrame of blocks of `chunk` rows, indexed by position."""
    names = list(grid)
    values = [numpy.asarray(grid[name], dtype=object) for name in names]
    dtypes = [_input_dtype(column) for column in values]
    count = math.prod(len(column) for column in values)
    starts = list(range(0, count, chunk)) or [0]
    divisions = starts + [max(count - 1, 0)]
    meta = pandas.DataFrame({name: pandas.Series([], dtype=dtype)
                             for name, dtype in zip(names, dtypes)},
                            index=pandas.RangeIndex(0))
    grid_values = dask.delayed(values, traverse=False)
    blocks = [dask.delayed(_grid_block, pure=True)(names, grid_values, dtypes, start,
                                                   min(start + chunk, count))
              for start in starts]
    return dask.dataframe.from_delayed(blocks, meta=meta, divisions=divisions, verify_meta=False)


def _grid_block(names, values, dtypes, start, end):
    """The grid's cases start … end − 1, the last name the fastest-varying."""
    shape = [len(column) for column in values]
    positions = numpy.unravel_index(numpy.arange(start, end), shape)
    columns = {name: pandas.Series(column[position], dtype=dtype)
               for name, column, dtype, position in zip(names, values, dtypes, positions)}
    return pandas.DataFrame(columns).set_axis(pandas.RangeIndex(start, end), axis=0)


def _input_dtype(column):
    """float64 for a column of numbers, object where any value is a text."""
    texts = any(isinstance(value, str) for value in numpy.asarray(column, dtype=object).ravel())
    return object if texts else numpy.float64


def _rows_meta(cases_meta, search, base):
    """The empty frame of the rows: the varied inputs, then the study's columns. Solving
    the base case once also refuses a bad search or base input before any block runs."""
    example = _study([{}], search=search, **base)
    columns = {name: pandas.Series([], dtype=cases_meta[name].dtype) for name in cases_meta}
    for name, values in example.items():
        columns[name] = pandas.Series([], dtype=values.dtype)
    return pandas.DataFrame(columns, index=cases_meta.index[:0])


def _solve_block(block, search, jobs, base, meta):
    """The rows of one block, indexed as its cases."""
    if len(block) == 0:
        return meta
    names = list(block.columns)
    cases = [dict(zip(names, row)) for row in block.itertuples(index=False, name=None)]
    rows = _study(cases, search=search, jobs=jobs, **base)
    frame = pandas.DataFrame(rows, index=block.index)
    for name in names:
        frame[name] = block[name].to_numpy()
    return frame.astype(meta.dtypes.to_dict(), copy=False)[list(meta.columns)]
